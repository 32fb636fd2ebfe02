// Messages of the console host, defined once.
#pragma once

namespace vantil_host::texts {

inline constexpr char kSyntaxError[] = "構文エラーです。";
inline constexpr char kCannotWriteFile[] = "ファイルに書き込めません。";
inline constexpr char kNotAControl[] = "このオブジェクトは保存と読み込みができません。";
inline constexpr char kUsage[] =
    "使い方: vantil-host [--design] [--progid PROGID | --clsid {CLSID}] [--registry FILE] [SCRIPT]";

} // namespace vantil_host::texts

// Messages of the console host, defined once.
#pragma once

namespace vantil_host::texts {

inline constexpr char kSyntaxError[] = "構文エラーです。";
inline constexpr char kCannotWriteFile[] = "ファイルに書き込めません。";
inline constexpr char kNotAControl[] = "このオブジェクトは保存と読み込みができません。";
inline constexpr char kUsage[] =
    "使い方: vantil-host [--design] [--progid PROGID | --clsid {CLSID}] [--registry FILE] "
    "[SCRIPT]\n"
    "コマンド (1 行に 1 つ):\n"
    "  get NAME [引数, ...]\n"
    "  set NAME [引数, ...] = 値\n"
    "  call NAME [引数, ...]\n"
    "  save FILE / load FILE      プロパティ バッグの保存と読み込み\n"
    "  on EVENT 引数名 = 値 / off EVENT   イベントの参照渡し引数に値を返す\n"
    "  mode design / mode run\n"
    "値: 123, 1.5, \"文字列\", True, False, Empty, Null, Nothing, &HFF, #2004/04/01#,\n"
    "    LoadPicture(\"FILE\"); 省略する引数はカンマの間を空ける";

} // namespace vantil_host::texts

// User-visible descriptions of the errors of hosting a control, defined once.
#pragma once

namespace plat::host::texts {

inline constexpr char kNotAControl[] =
    "このオブジェクトはフォームに配置できるコントロールではありません。";
inline constexpr char kPropertiesRefused[] = "コントロールのプロパティを読み込めません。";
inline constexpr char kPropertiesNotSaved[] = "コントロールのプロパティを保存できません。";
inline constexpr char kNoWindow[] = "コントロールのウィンドウを作成できません。";
inline constexpr char kNoObject[] = "オブジェクト変数が設定されていません。";
// A failed load of a control on a form: "<number>: <description> (<control name>)".
inline constexpr char kLoadErrorFormat[] = "%1: %2 (%3)";

} // namespace plat::host::texts

// The list engine's user-visible texts, each defined once here.
#pragma once

#include <string_view>

namespace vantil::texts {

// A sub-item written to a column that does not exist.
inline constexpr std::string_view kIndexOutOfRange = "インデックスが範囲を超えています.";
// AddItem on a control whose window was never created.
inline constexpr std::string_view kWindowNotCreated = "ウィンドウの作成に失敗しました。";

} // namespace vantil::texts

// The control's user-visible texts: the string resources and the built-in captions, each
// defined once here and referred to by name everywhere else.
#pragma once

#include <string_view>

namespace vantil::texts {

// String resources of the library.
inline constexpr std::string_view kTypeName = "Quodra LX4 VantilBox Control";
inline constexpr std::string_view kListPopupCaption = "ｺﾝﾎﾞﾎﾞｯｸｽ";
inline constexpr std::string_view kListPopupClass = "LISTBOX";
inline constexpr std::string_view kInvalidValue = "値が不正です.";
inline constexpr std::string_view kReadOnly = "参照専用です.";
inline constexpr std::string_view kDesignTimeOnly = "デザイン時専用です.";
inline constexpr std::string_view kReadOnlyAtRunTime = "実行時には参照専用です.";
inline constexpr std::string_view kInvalidIndex = "インデックスが不正です.";
inline constexpr std::string_view kFirstColumnLeft = "先頭の列は、左詰でなければなりません .";

// The string resources by their resource numbers.
struct StringResource {
    int id;
    std::string_view text;
};
inline constexpr StringResource kStringResources[] = {
    {1, kTypeName},
    {200, kListPopupCaption},
    {201, kListPopupClass},
    {202, kInvalidValue},
    {203, kReadOnly},
    {204, kDesignTimeOnly},
    {205, kReadOnlyAtRunTime},
    {206, kInvalidIndex},
    {207, kFirstColumnLeft},
};

// Looks a string resource up by its number; empty for a number the library does not define.
constexpr std::string_view stringResource(int id) {
    for (const StringResource& r : kStringResources) {
        if (r.id == id) {
            return r.text;
        }
    }
    return {};
}

// The about box.
inline constexpr std::string_view kAboutTitle = "About Quodra VantilBox Control";
inline constexpr std::string_view kAboutVersionLine = "拡張コンボボックス, Version 4.0.2.20";
inline constexpr std::string_view kAboutSecondLine = "複数列ドロップダウンリスト付き入力ボックス";
inline constexpr std::string_view kAboutOk = "OK";

// Description of a load from a stream that ended early or could not be read: what was read
// and the defaults for the rest were loaded.
inline constexpr std::string_view kDamagedPropertyData = "プロパティのデータが壊れています.";

// Description of an about box that cannot be shown because no dialog service is installed.
inline constexpr std::string_view kNoDialogService = "ダイアログを表示できません.";

// Description of a member whose work needs the list engine or the window system when the
// library runs without them.
inline constexpr std::string_view kNotAvailable = "この機能は使用できません.";

// Description of a fill whose data source answered a block with fewer values than its rows
// and fields need: the fill ends there.
inline constexpr std::string_view kShortRowBlock = "データソースの行データが不足しています.";

// Description of error 387: the host refused a change of a bound property.
inline constexpr std::string_view kSetNotPermitted = "設定は許可されていません.";

// Built-in captions of the context-menu entries 0 to 5 (undo, cut, copy, paste, delete,
// select all).
inline constexpr std::string_view kMenuUndo = "元に戻す(&U)";
inline constexpr std::string_view kMenuCut = "切り取り(&T)";
inline constexpr std::string_view kMenuCopy = "ｺﾋﾟｰ(&C)";
inline constexpr std::string_view kMenuPaste = "貼り付け(&P)";
inline constexpr std::string_view kMenuDelete = "削除(&D)";
inline constexpr std::string_view kMenuSelectAll = "すべて選択(&A)";

} // namespace vantil::texts

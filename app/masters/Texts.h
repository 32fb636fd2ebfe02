// User-visible texts of the employee and site master screens, each defined once. The window
// captions are the main menu's button captions (app/frame/Texts.h).
#pragma once

#include "app/frame/Texts.h"

namespace tamsel::masters::texts {

// comMove by index, and comEnd.
inline constexpr const char* kMoveCaptions[] = {"前", "次", "追加", "最初", "最後", "削除"};
inline constexpr const char* kEnd = tamsel::texts::kCloseButton;

inline constexpr char kSyainControlCaption[] = "社員マスタ";
inline constexpr const char* kSNameLabel = tamsel::texts::kEmployeeNameLabel;
inline constexpr const char* kTMonyLabel = tamsel::texts::kWageLabel;

inline constexpr char kGenbaControlCaption[] = "現場マスタ";
inline constexpr char kGNameLabel[] = "現　　　　　場　　　　　名";
inline constexpr char kGenbaIDHeading[] = "現場ＩＤ";
inline constexpr const char* kGNameHeading = tamsel::texts::kSiteNameHeading;
inline constexpr char kCrtDateHeading[] = "登録日時";

// A wage that is negative, not a number or has decimals is refused; the old value stays.
inline constexpr char kWageRefused[] =
    "時間給には0以上の金額（円単位の整数）を入力してください。元の値に戻します。";
inline constexpr char kWageRefusedTitle[] = "時間給の入力";

// Titles of the boxes that show a database error ("number: description").
inline constexpr char kTitleStore[] = "データ保存";
inline constexpr char kTitleMove[] = "レコード移動";
inline constexpr char kTitleDelete[] = "データ削除";
inline constexpr char kTitleRequery[] = "データ再読込";

// Closing while the pending change cannot be stored.
inline constexpr char kAskDiscardOnClose[] =
    "変更を保存できませんでした。変更を破棄して画面を閉じますか？";

} // namespace tamsel::masters::texts

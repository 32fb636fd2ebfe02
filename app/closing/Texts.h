// User-visible texts of month closing (the screen, the ledger's refusal and the console
// commands), each defined once. Plain UTF-8 constants, so the Qt-free rules can use them.
#pragma once

#include "app/frame/Texts.h"

namespace tamsel::closing::texts {

inline constexpr const char* kCaption = tamsel::texts::kMenuMonthClosing;
inline constexpr char kBanner[] = " ------ 月締め処理 ------ ";

// A month as the screen and its questions write it: %1 year, %2 two-digit month.
inline constexpr char kMonthFormat[] = "%1年%2月度";
inline constexpr char kMonthHeading[] = "年月";
inline constexpr char kHoursHeading[] = "時間";
inline constexpr char kAmountHeading[] = "金額";
inline constexpr char kStateHeading[] = "状態";
inline constexpr char kClosedAtHeading[] = "締め日時";
inline constexpr char kClosed[] = "締め済み";
inline constexpr char kOpen[] = "未締め";
inline constexpr char kNoMonths[] = "労務台帳のある月はありません。";
inline constexpr char kRule[] =
    "締められるのは当月より前の月です。締めた月の労務台帳は変更できません。";

inline constexpr char kCloseButton[] = "締める";
inline constexpr char kOpenButton[] = "締め解除";

// %1: the month in kMonthFormat.
inline constexpr char kCloseQuestion[] = "%1を締めます。よろしいですか？";
inline constexpr char kOpenQuestion[] =
    "締めを解除すると、支給済みの月の台帳が変更できるようになります。解除しますか？";
inline constexpr char kTitleClose[] = "月締め";
inline constexpr char kTitleOpen[] = "締め解除";
inline constexpr char kTitleRead[] = "締め状況取得";

// Refusals of the rules.
inline constexpr char kNotBeforeCurrent[] = "当月以降の月は締められません。";
inline constexpr char kAlreadyClosed[] = "この月はすでに締め済みです。";
inline constexpr char kNotClosed[] = "この月は締められていません。";
// The ledger of a closed month: a save or delete refused inside its transaction.
inline constexpr char kLedgerClosed[] = "この月は締め済みのため保存できません。";

} // namespace tamsel::closing::texts

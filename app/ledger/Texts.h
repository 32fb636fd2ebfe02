// User-visible texts of the ledger selection and the ledger grid, each defined once. Plain
// UTF-8 constants, so the ledger's database code can use them without Qt.
#pragma once

#include "app/frame/Texts.h"

namespace tamsel::ledger::texts {

// Ledger selection (RoumuEntry).
inline constexpr const char* kEntryCaption = tamsel::texts::kMenuRoumuEntry;
inline constexpr char kEntryBanner[] = " ------ 労務台帳入力 ------ ";
inline constexpr char kEmployeeLabel[] = "従業員";
inline constexpr char kOpen[] = "入　　力";
inline constexpr char kQuitQuestion[] = "終了しますか？";
inline constexpr char kEmployeeNotNumber[] = "従業員は番号（数字）で入力してください。";
inline constexpr char kEmployeeNotInMaster[] = "従業員マスタに登録されていない従業員です。";

// Ledger grid (RoumuEntrySub2). %1 year, %2 month without a leading zero.
inline constexpr char kGridCaption[] = "%1年%2月度";
inline constexpr char kGridBanner[] = " ----- %1 ----- ";
inline constexpr const char* kSiteLabels[] = {"現場１", "現場２", "現場３", "現場４", "現場５",
                                              "現場６", "現場７", "現場８", "現場９"};
inline constexpr char kSave[] = "保存";
inline constexpr char kDeleteLine[] = "行削除";
inline constexpr char kDeleteMonth[] = "月データ削除";
inline constexpr char kCopyPrevious[] = "前月複写";
inline constexpr char kDeletingLine[] = "行削除中........";
inline constexpr char kSaving[] = "データ保存中.......";
inline constexpr char kDayFormat[] = "d";
inline constexpr char kDaySuffix[] = "日";
inline constexpr char kWeekdayFormat[] = "(aaa)";
inline constexpr char kHoursCaption[] = "　合計時間　";
inline constexpr char kMoneyCaption[] = "　合計金額　";
// Under the grid: the month's statutory overtime and legal-holiday work, %1 and %2 in hours.
inline constexpr char kOvertimeLine[] = "この月の時間外労働 %1 時間　法定休日労働 %2 時間";

// Messages and their titles.
inline constexpr char kDuplicateSite[] = "現場が重複しています。";
inline constexpr char kTitleSiteCheck[] = "現場チェック";
// "現場IDが抜けています。(" + line number + "行目)"
inline constexpr char kMissingSite[] = "現場IDが抜けています。(%1行目)";
inline constexpr char kTitleSiteError[] = "現場エラー";
inline constexpr char kSiteNotNumber[] = "現場は番号（数字）で入力してください。(%1行目)";
inline constexpr char kSiteNotInMaster[] = "現場マスタに登録されていない現場です。(%1行目)";
inline constexpr char kDeleteQuestion[] = "現在表示中のデータを削除しますか？";
inline constexpr char kTitleDelete[] = "削除";
inline constexpr char kUnsavedQuestion[] = "データが変更されていますが保存しないで終了しますか？";
inline constexpr char kOverDayQuestion[] =
    "1日の合計が24時間を超える日があります。(%1日)\nこのまま保存しますか？";
inline constexpr char kTitleHoursCheck[] = "時間チェック";
// In the status line under the grid when a day cell or the wage box refuses an entry.
inline constexpr char kHoursRefused[] = "0〜24の数値を小数1桁まで入力してください。";
inline constexpr char kWageRefused[] = "時間給は0以上の数値で入力してください。";
inline constexpr char kChangedElsewhere[] =
    "この月のデータは他の画面で変更されています。上書きしますか？";
inline constexpr char kDeleteChangedElsewhere[] =
    "この月のデータは他の画面で変更されています。削除しますか？";
inline constexpr char kNoPreviousMonth[] = "前月のデータがありません。";
inline constexpr char kNotSaved[] = "この月のデータは保存されていません。";
inline constexpr char kTitleSave[] = "エラー保存処理";
inline constexpr char kTitleRead[] = "レコード取得";
inline constexpr char kSubscriptOutOfRange[] = "インデックスが有効範囲にありません。";

} // namespace tamsel::ledger::texts

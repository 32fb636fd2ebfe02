// User-visible texts of the overtime check (screen, report, batch mode), each defined once.
#pragma once

#include "app/frame/Texts.h"

namespace tamsel::overtime::texts {

inline constexpr const char* kCaption = tamsel::texts::kMenuOvertimeCheck;

// Screen.
inline constexpr char kPrevYear[] = "前年度";
inline constexpr char kNextYear[] = "次年度";
inline constexpr char kHolidayLabel[] = "法定休日";
inline constexpr const char* kWeekdays[] = {"日曜日", "月曜日", "火曜日", "水曜日",
                                            "木曜日", "金曜日", "土曜日"};
inline constexpr char kSpecialClause[] = "特別条項あり";
inline constexpr char kYearStartLabel[] = "年度開始月";
// %1 to %4: first year and month, last year and month.
inline constexpr char kPeriodFormat[] = "%1年%2月～%3年%4月";
inline constexpr char kYearTotalHeading[] = "年間計";
inline constexpr char kOver45Heading[] = "45時間超";
inline constexpr char kLegend[] = "時間外労働（時間）　黄：月45時間超　赤：上限違反";
inline constexpr char kNoData[] = "この年度の労務台帳はありません。";
inline constexpr char kWithinCaps[] = "上限の範囲内です。";
inline constexpr char kTitleSettings[] = "設定保存";
// Tooltip of a month cell: %1 hours worked, %2 overtime, %3 holiday work, %4 the sum of both,
// %5 the highest 2- to 6-month average ending with the month and %6 its months.
inline constexpr char kCellTip[] = "労働時間 %1時間\n時間外労働 %2時間\n休日労働 %3時間\n"
                                   "時間外＋休日 %4時間\n2～6か月平均の最大 %5時間（%6か月）";

// Caps in force, as the screen and the report state them.
inline constexpr char kCapsPrinciple[] =
    "適用上限：月45時間・年360時間、時間外＋休日労働は月100時間未満・2～6か月平均80時間以内";
inline constexpr char kCapsSpecial[] =
    "適用上限（特別条項）：年720時間、時間外＋休日労働は月100時間未満・2～6か月平均80時間以内、"
    "月45時間超は年6か月まで";

// What an employee breaks, in words (%1... filled in by the check).
inline constexpr char kRuleMonth45[] = "月45時間超（%1）";
inline constexpr char kRuleMonth100[] = "時間外＋休日労働が月100時間以上（%1）";
inline constexpr char kRuleAverage80[] = "2～6か月平均80時間超（%1）";
inline constexpr char kRuleYear360[] = "年360時間超（%1月に超過、年間%2時間）";
inline constexpr char kRuleYear720[] = "年720時間超（%1月に超過、年間%2時間）";
inline constexpr char kRuleSixMonths[] = "月45時間超が年7か月以上（%1月に7か月目、年間%2か月）";
inline constexpr char kMonthHours[] = "%1月 %2時間";
inline constexpr char kAverageHours[] = "%1月～%2月 平均%3時間";
inline constexpr char kListSeparator[] = "、";
inline constexpr char kRuleSeparator[] = "／";
inline constexpr char kNameSeparator[] = "：";
inline constexpr char kMonthSuffix[] = "月";

// Report.
inline constexpr char kReportTitleSuffix[] = "年度　時間外労働チェック表";
inline constexpr char kMarkOver45[] = "△";
inline constexpr char kMarkBroken[] = "●";
inline constexpr char kPrintLegend[] = "時間外労働（時間）　△：月45時間超　●：上限違反";
// %1: the legal holiday's weekday; %2: whether there is a special clause.
inline constexpr char kPrintSettings[] = "法定休日：%1　特別条項：%2";
inline constexpr char kYes[] = "あり";
inline constexpr char kNo[] = "なし";

// Heading of the broken rules in the table (CSV), and the headings after a month's
// "yyyy/mm" of the figures the caps are checked on: holiday work, overtime plus holiday work,
// the highest 2- to 6-month average ending with the month and the months it averages.
inline constexpr char kCsvBreaches[] = "上限違反";
inline constexpr char kCsvHoliday[] = "休日労働";
inline constexpr char kCsvOvertimeAndHoliday[] = "時間外＋休日";
inline constexpr char kCsvAverage[] = "最大平均";
inline constexpr char kCsvAverageSpan[] = "平均月数";

// Batch mode.
inline constexpr char kBatchUsage[] =
    "使い方: tamsel --print overtime --year YYYY [--pdf FILE] [--csv FILE] [--xlsx FILE]";

} // namespace tamsel::overtime::texts

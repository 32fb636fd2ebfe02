// User-visible texts of the inquiry and report screens and their report layouts, each defined
// once. The screen captions are the window titles the clerk sees.
#pragma once

#include "app/frame/Texts.h"

namespace tamsel::reports::texts {

// Monthly inquiry (RefRoumu).
inline constexpr char kRefRoumuCaption[] = "現場別労務費一覧表";
inline constexpr const char* kNengetuLabel = tamsel::texts::kMonthLabel;
inline constexpr const char* kPrevMonth = tamsel::texts::kPrevMonth;
inline constexpr const char* kNextMonth = tamsel::texts::kNextMonth;
inline constexpr char kDisplay[] = "表　　示";
inline constexpr char kPrintWide[] = "印　　刷";
inline constexpr char kPreview[] = "印刷プレビュー";
inline constexpr const char* kClose = tamsel::texts::kCloseButton;
inline constexpr char kAggregating[] = "只今データ集計中.......";
inline constexpr const char* kSiteHeading = tamsel::texts::kGridSiteHeading;
inline constexpr const char* kTotalHeading = tamsel::texts::kGridTotalHeading;
inline constexpr const char* kTotalsCaption = kTotalHeading;
// Day heading: day number, "日" and the weekday in parentheses.
inline constexpr char kDayHeadingFormat[] = "d日(aaa)";

// Annual cumulative report screen (PrtRuikei).
// The screen is captioned like its main-menu button.
inline constexpr const char* kPrtRuikeiCaption = tamsel::texts::kMenuPrtRuikei;
inline constexpr char kYearLabel[] = "年度";
inline constexpr char kPrint[] = "印刷";

// Employee labour-cost statement screen (PrtSyainRoumu).
// The screen is captioned like its main-menu button.
inline constexpr const char* kPrtSyainRoumuCaption = tamsel::texts::kMenuPrtSyainRoumu;
inline constexpr char kEmployeeLabel[] = "従業員";
inline constexpr char kPrintChosen[] = "指名印刷";
inline constexpr char kPrintAll[] = "全員印刷";
inline constexpr char kPrintAllQuestion[] = "社員別労務費明細表を全員分の印刷をしますか？";
inline constexpr char kEmployeeNotNumber[] = "従業員は番号で指定してください。";

// Titles of the error boxes.
inline constexpr char kTitleExtract[] = "データ抽出";
inline constexpr char kTitlePrint[] = "エラー印刷時";

// Site labour-cost report (RptRoumuG).
inline constexpr char kRoumuGTitleFormat[] = "ggge年mm月度　現場別労務費一覧表";
inline constexpr const char* kRoumuGSiteHeading = tamsel::texts::kSiteNameHeading;
inline constexpr char kRoumuGTotalHeading[] = "合　　　　　　計";
inline constexpr char kGrandTotal[] = "総　　合　　計";
inline constexpr char kPageSlash[] = "／";
inline constexpr char kPageWord[] = "ページ";

// Annual cumulative report (RptRuikei).
inline constexpr char kRuikeiTitleSuffix[] = "年度労務費累計表";
inline constexpr const char* kRuikeiName = tamsel::texts::kEmployeeNameLabel;
inline constexpr char kRuikeiMonth[] = "月";
inline constexpr char kRuikeiWage[] = "時　給";
inline constexpr char kRuikeiHours[] = "勤務時間";
inline constexpr char kRuikeiAmount[] = "支給額";

// Employee labour-cost statement (RptSRoumuMA4).
inline constexpr char kStatementTitleFormat[] = "ggge年mm月度　労務費明細表";
inline constexpr char kStatementNameLabel[] = "氏名：";
inline constexpr const char* kStatementSiteHeading = tamsel::texts::kSiteNameHeading;
inline constexpr char kStatementLineTotal[] = "合　　　計";
inline constexpr char kStatementGroupTotal[] = "合　　計";
inline constexpr char kStatementWage[] = "時間給：";
inline constexpr char kStatementAmount[] = "支給額：";
inline constexpr char kDayNumberFormat[] = "d日";
inline constexpr char kWeekdayFormat[] = "(aaa)";

// Headings of the reports' CSV files (one row per printed detail line). The month column holds
// months as yyyy/mm; hours carry the decimals they print with, money is whole yen.
inline constexpr const char* kCsvMonth = kNengetuLabel;
inline constexpr char kCsvEmployeeNumber[] = "従業員番号";
inline constexpr const char* kCsvEmployeeName = tamsel::texts::kEmployeeNameLabel;
inline constexpr char kCsvSiteNumber[] = "現場番号";
inline constexpr char kCsvSiteName[] = "現場名";
inline constexpr char kCsvDaySuffix[] = "日";
inline constexpr char kCsvLineHours[] = "合計時間";
inline constexpr char kCsvWage[] = "時給";
inline constexpr const char* kCsvHours = kRuikeiHours;
inline constexpr const char* kCsvAmount = kRuikeiAmount;
inline constexpr char kCsvSiteAmount[] = "労務費";
// Columns after those: a detail line's amount (its hours x wage, cut to whole yen), and the kind
// of row, so a spreadsheet sums the detail lines without the total rows.
inline constexpr char kCsvLineAmount[] = "金額";
inline constexpr char kCsvRowKind[] = "区分";
inline constexpr char kCsvDetailRow[] = "明細";
inline constexpr char kCsvTotalRow[] = "合計";
// The annual report's year as a workbook's first rows name it (%1: the year).
inline constexpr char kCsvYearPeriod[] = "%1年";

// Batch printing to PDF (standard error and the usage line).
inline constexpr char kBatchUsage[] =
    "使い方: tamsel --print site --month YYYY-MM [--pdf FILE] [--csv FILE] [--xlsx FILE]\n"
    "        tamsel --print annual --year YYYY [--pdf FILE] [--csv FILE] [--xlsx FILE]\n"
    "        tamsel --print statement --month YYYY-MM [--employee N] [--pdf FILE] [--csv FILE]"
    " [--xlsx FILE]\n"
    "        (--pdf、--csv、--xlsx の少なくとも一つを指定します)";
inline constexpr char kBatchNoData[] = "印刷するデータがありません。";

} // namespace tamsel::reports::texts

// User-visible texts of the inquiry and report screens and their report layouts, each defined
// once. The screen captions are the window titles the clerk sees.
#pragma once

#include "app/frame/Texts.h"

namespace tamsel::reports::texts {

// Monthly inquiry (RefRoumu).
inline constexpr char kRefRoumuCaption[] = "現場別労務費一覧表";
inline constexpr char kNengetuLabel[] = "年月";
inline constexpr char kPrevMonth[] = "前月";
inline constexpr char kNextMonth[] = "次月";
inline constexpr char kDisplay[] = "表　　示";
inline constexpr char kPrintWide[] = "印　　刷";
inline constexpr char kPreview[] = "印刷プレビュー";
inline constexpr const char* kClose = tamsel::texts::kCloseButton;
inline constexpr char kAggregating[] = "只今データ集計中.......";
inline constexpr char kSiteHeading[] = "現　　　　　　場　　　　　　名";
inline constexpr char kTotalHeading[] = "合　計";
inline constexpr const char* kTotalsCaption = kTotalHeading;
// Day heading: day number, "日" and the weekday in parentheses.
inline constexpr char kDayHeadingFormat[] = "d日(aaa)";

// Annual cumulative report screen (PrtRuikei).
// The screen is captioned like its main-menu button.
inline constexpr const char* kPrtRuikeiCaption = tamsel::texts::kMenuPrtRuikei;
inline constexpr char kYearLabel[] = "年度";
inline constexpr char kPrint[] = "印刷";

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

// Batch printing to PDF (standard error and the usage line).
inline constexpr char kBatchUsage[] = "使い方: tamsel --print site --month YYYY-MM --pdf FILE\n"
                                      "        tamsel --print annual --year YYYY --pdf FILE";
inline constexpr char kBatchNoData[] = "印刷するデータがありません。";

} // namespace tamsel::reports::texts

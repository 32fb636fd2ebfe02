// Every user-visible text of the report engine: error descriptions and the preview window's
// captions. Defined once here; the rest of the module refers to these names.
#pragma once

namespace plat::report::texts {

// Error descriptions (shown by the print screens as number + ": " + description).
inline constexpr const char* kNoPrinter = "プリンタがインストールされていません。";
inline constexpr const char* kPrintFailed = "印刷できませんでした。";
inline constexpr const char* kPdfWriteFailed = "PDFファイルを書き込めませんでした。";
inline constexpr const char* kCsvWriteFailed = "CSVファイルを書き込めませんでした。";
inline constexpr const char* kXlsxWriteFailed = "Excelファイルを書き込めませんでした。";
inline constexpr const char* kNoRecordSource = "レコードソースが設定されていません。";
inline constexpr const char* kUnknownColumn = "フィールドが見つかりません。";
inline constexpr const char* kUnknownName =
    "指定した名前のセクションまたはコントロールがありません。";
inline constexpr const char* kBadLayout = "レポートのレイアウトが正しくありません。";
inline constexpr const char* kUnsupportedPaper = "この用紙サイズは使用できません。";
inline constexpr const char* kDataSourceFailed = "データソースを開けませんでした。";
inline constexpr const char* kReportCodeFailed = "レポートの処理中にエラーが発生しました。";

// Preview window.
inline constexpr const char* kPreviewTitle = "プレビュー";
inline constexpr const char* kFirstPage = "先頭";
inline constexpr const char* kPreviousPage = "前頁";
inline constexpr const char* kNextPage = "次頁";
inline constexpr const char* kLastPage = "最終";
inline constexpr const char* kPageOfPages = "%1 / %2 ページ";
inline constexpr const char* kZoomFitWidth = "幅に合わせる";
inline constexpr const char* kZoomFitPage = "ページ全体";
inline constexpr const char* kPrint = "印刷(&P)";
inline constexpr const char* kSavePdf = "PDF保存(&S)";
inline constexpr const char* kClose = "閉じる(&C)";
inline constexpr const char* kPdfFilter = "PDF (*.pdf)";
inline constexpr const char* kSaveCsv = "CSV保存";
inline constexpr const char* kCsvFilter = "CSV (*.csv)";
inline constexpr const char* kSaveXlsx = "Excel保存";
inline constexpr const char* kXlsxFilter = "Excel ブック (*.xlsx)";
// A workbook's sheet when the report has no caption.
inline constexpr const char* kDefaultSheet = "帳票";
inline constexpr const char* kErrorTitle = "プレビューのエラー";

} // namespace plat::report::texts

// Error numbers mapped to their descriptions, defined once in Texts.h.
#include "platform/report/ReportError.h"

#include "platform/report/Texts.h"

namespace plat::report {

namespace {

std::string describe(ErrorCode code) {
    switch (code) {
    case ErrorCode::InvalidCall:
        return texts::kUnknownName;
    case ErrorCode::FileAccess:
        return texts::kPdfWriteFailed;
    case ErrorCode::NoPrinter:
        return texts::kNoPrinter;
    case ErrorCode::PrintFailed:
        return texts::kPrintFailed;
    case ErrorCode::UnsupportedPaper:
        return texts::kUnsupportedPaper;
    case ErrorCode::BadLayout:
        return texts::kBadLayout;
    case ErrorCode::NoRecordSource:
        return texts::kNoRecordSource;
    case ErrorCode::UnknownColumn:
        return texts::kUnknownColumn;
    case ErrorCode::DataSource:
        return texts::kDataSourceFailed;
    case ErrorCode::ReportCode:
        return texts::kReportCodeFailed;
    }
    return texts::kBadLayout;
}

std::string withDetail(ErrorCode code, const std::string& detail) {
    std::string text = describe(code);
    if (!detail.empty())
        text += "（" + detail + "）";
    return text;
}

} // namespace

ReportError::ReportError(int number, std::string description)
    : std::runtime_error(std::to_string(number) + ": " + description), number_(number),
      description_(std::move(description)) {}

ReportError::ReportError(ErrorCode code, std::string detail)
    : ReportError(static_cast<int>(code), withDetail(code, detail)) {}

} // namespace plat::report

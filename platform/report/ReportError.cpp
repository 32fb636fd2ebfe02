// Error numbers mapped to their descriptions, defined once in Texts.h.
#include "platform/report/ReportError.h"

#include "platform/report/Texts.h"

namespace plat::report {

namespace {

struct ErrorText {
    ErrorCode code;
    const char* description;
};

constexpr ErrorText kErrorTexts[] = {
    {ErrorCode::InvalidCall, texts::kUnknownName},
    {ErrorCode::FileAccess, texts::kPdfWriteFailed},
    {ErrorCode::NoPrinter, texts::kNoPrinter},
    {ErrorCode::PrintFailed, texts::kPrintFailed},
    {ErrorCode::UnsupportedPaper, texts::kUnsupportedPaper},
    {ErrorCode::BadLayout, texts::kBadLayout},
    {ErrorCode::NoRecordSource, texts::kNoRecordSource},
    {ErrorCode::UnknownColumn, texts::kUnknownColumn},
    {ErrorCode::DataSource, texts::kDataSourceFailed},
    {ErrorCode::ReportCode, texts::kReportCodeFailed},
};

std::string describe(ErrorCode code) {
    for (const ErrorText& e : kErrorTexts)
        if (e.code == code)
            return e.description;
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

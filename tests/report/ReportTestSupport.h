// Shared helpers of the report tests: a report whose calls into its own code are set by the
// test, row building, and the support library's application, scratch folder and PDF read-back
// under this suite's names.
#pragma once

#include "platform/report/Report.h"
#include "tests/support/Application.h"
#include "tests/support/Pdf.h"
#include "tests/support/Scratch.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace reporttest {

using namespace plat::report;
using testsupport::pdfInfo;
using testsupport::pdfPages;
using testsupport::PdfPageSize;
using testsupport::pdfPageSize;
using testsupport::runCommand;
using testsupport::squeeze;

inline void ensureApp() {
    testsupport::qtApp();
}

class ScriptedReport : public Report {
public:
    std::function<void()> start;
    std::function<void()> noData;
    std::function<void(Band&)> format;
    std::function<void()> pageEnd;

protected:
    void onReportStart() override {
        if (start)
            start();
    }
    void onNoData() override {
        if (noData)
            noData();
    }
    void onFormat(Band& band) override {
        if (format)
            format(band);
    }
    void onPageEnd() override {
        if (pageEnd)
            pageEnd();
    }
};

inline Value num(double v) {
    return Value::number(v);
}
inline Value txt(const char* s) {
    return Value::text(s);
}
inline Value month(int y, int m) {
    return Value::date(plat::text::DateTime{y, m, 1, 0, 0, 0});
}

// prefix followed by the number's digits. Built by appending: g++ 12 at -O3 raises a false
// -Wrestrict on a literal + std::string chain.
inline std::string numbered(const char* prefix, long n) {
    std::string s(prefix);
    s.append(std::to_string(n));
    return s;
}

// A new empty folder `name` in the build's test area.
inline std::filesystem::path scratchDir(const std::string& name) {
    return testsupport::scratchFolder("report-" + name);
}

// The page's text (0: all pages) as pdftotext -layout gives it: each printed line kept
// together, in the order of the page.
inline std::string pdfText(const std::filesystem::path& pdf, int page = 0) {
    return testsupport::pdfLayoutText(pdf, page);
}

} // namespace reporttest

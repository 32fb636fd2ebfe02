// Shared helpers of the report tests: a report whose calls into its own code are set by the
// test, row building, a scratch folder, and reading PDFs back with the poppler tools.
#pragma once

#include "platform/report/Report.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace reporttest {

using namespace plat::report;

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

inline std::filesystem::path scratchDir(const std::string& name) {
    const char* root = std::getenv("TAMSEL_TEST_TMP");
    std::filesystem::path dir =
        root ? std::filesystem::path(root) : std::filesystem::temp_directory_path() / "tamsel-test";
    dir /= "report-" + name;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

inline std::string runCommand(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buf[4096];
        std::size_t n;
        while ((n = fread(buf, 1, sizeof buf, pipe)) > 0)
            out.append(buf, n);
        pclose(pipe);
    }
    return out;
}

inline std::string pdfText(const std::filesystem::path& pdf, int page = 0) {
    std::string range =
        page > 0 ? numbered(" -f ", page).append(numbered(" -l ", page)) : std::string();
    // -layout keeps each printed line together, in the order of the page.
    return runCommand("pdftotext -layout -enc UTF-8" + range + " '" + pdf.string() +
                      "' - 2>/dev/null");
}

inline std::string pdfInfo(const std::filesystem::path& pdf) {
    return runCommand("pdfinfo '" + pdf.string() + "' 2>/dev/null");
}

inline int pdfPages(const std::filesystem::path& pdf) {
    const std::string info = pdfInfo(pdf);
    const auto at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::atoi(info.c_str() + at + 6);
}

// Width and height of the first page in points, and whether pdfinfo names it A4.
struct PdfPageSize {
    double width = 0;
    double height = 0;
    bool a4 = false;
};

inline PdfPageSize pdfPageSize(const std::filesystem::path& pdf) {
    const std::string info = pdfInfo(pdf);
    PdfPageSize size;
    const auto at = info.find("Page size:");
    if (at == std::string::npos)
        return size;
    std::sscanf(info.c_str() + at + 10, "%lf x %lf", &size.width, &size.height);
    const auto eol = info.find('\n', at);
    size.a4 = info.substr(at, eol - at).find("(A4)") != std::string::npos;
    return size;
}

// Removes blanks (also the full-width blank) and line breaks: the PDF holds no glyph for a
// blank, and pdftotext puts its own blanks where it sees gaps.
inline std::string squeeze(const std::string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (s.compare(i, 3, "\xE3\x80\x80") == 0) {
            i += 2;
            continue;
        }
        if (c != ' ' && c != '\n' && c != '\f' && c != '\r' && c != '\t')
            out += c;
    }
    return out;
}

} // namespace reporttest

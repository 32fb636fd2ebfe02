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
    void onReportStart() override
    {
        if (start)
            start();
    }
    void onNoData() override
    {
        if (noData)
            noData();
    }
    void onFormat(Band& band) override
    {
        if (format)
            format(band);
    }
    void onPageEnd() override
    {
        if (pageEnd)
            pageEnd();
    }
};

inline Value num(double v)
{
    return Value::number(v);
}
inline Value txt(const char* s)
{
    return Value::text(s);
}
inline Value month(int y, int m)
{
    return Value::date(plat::text::DateTime{y, m, 1, 0, 0, 0});
}

inline std::filesystem::path scratchDir(const std::string& name)
{
    const char* root = std::getenv("TAMSEL_TEST_TMP");
    std::filesystem::path dir = root ? std::filesystem::path(root)
                                     : std::filesystem::temp_directory_path() / "tamsel-test";
    dir /= "report-" + name;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

inline std::string runCommand(const std::string& command)
{
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

inline std::string pdfText(const std::filesystem::path& pdf, int page = 0)
{
    std::string range = page > 0 ? " -f " + std::to_string(page) + " -l " + std::to_string(page)
                                 : std::string();
    return runCommand("pdftotext -enc UTF-8" + range + " '" + pdf.string() + "' - 2>/dev/null");
}

inline std::string pdfInfo(const std::filesystem::path& pdf)
{
    return runCommand("pdfinfo '" + pdf.string() + "' 2>/dev/null");
}

inline int pdfPages(const std::filesystem::path& pdf)
{
    const std::string info = pdfInfo(pdf);
    const auto at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::atoi(info.c_str() + at + 6);
}

// Removes blanks and line breaks, so texts that pdftotext splits or spaces still compare.
inline std::string squeeze(const std::string& s)
{
    std::string out;
    for (char c : s) {
        if (c != ' ' && c != '\n' && c != '\f' && c != '\r' && c != '\t')
            out += c;
    }
    return out;
}

} // namespace reporttest

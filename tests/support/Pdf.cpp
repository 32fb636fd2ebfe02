#include "Pdf.h"

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>

namespace testsupport {

CommandRun runShell(const std::string& command) {
    CommandRun run;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buf[4096];
        std::size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0)
            run.out.append(buf, n);
        const int raw = ::pclose(pipe);
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }
    return run;
}

std::string runCommand(const std::string& command) {
    return runShell(command).out;
}

std::string pdfLayoutText(const std::filesystem::path& pdf, int page) {
    std::string range;
    if (page > 0)
        range = " -f " + std::to_string(page) + " -l " + std::to_string(page);
    return runCommand("pdftotext -layout -enc UTF-8" + range + " '" + pdf.string() +
                      "' - 2>/dev/null");
}

std::string squeeze(const std::string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s.compare(i, 3, "\xE3\x80\x80") == 0) {
            i += 2;
            continue;
        }
        const char c = s[i];
        if (c != ' ' && c != '\n' && c != '\f' && c != '\r' && c != '\t')
            out += c;
    }
    return out;
}

std::string pdfText(const std::filesystem::path& pdf, int page) {
    return squeeze(pdfLayoutText(pdf, page));
}

std::string pdfInfo(const std::filesystem::path& pdf) {
    return runCommand("pdfinfo '" + pdf.string() + "' 2>/dev/null");
}

int pdfPages(const std::filesystem::path& pdf) {
    const std::string info = pdfInfo(pdf);
    const auto at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::atoi(info.c_str() + at + 6);
}

PdfPageSize pdfPageSize(const std::filesystem::path& pdf) {
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

std::size_t countOf(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

} // namespace testsupport

// Printed output read back with independent tools: the poppler programs for PDFs, a shell
// command's output.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace testsupport {

// The standard output of a shell command, and its exit status (-1: did not end normally).
struct CommandRun {
    int status = -1;
    std::string out;
};
CommandRun runShell(const std::string& command);
// Only the output.
std::string runCommand(const std::string& command);

// pdftotext -layout of the page (0: all pages): each printed line kept together, in the order
// of the page.
std::string pdfLayoutText(const std::filesystem::path& pdf, int page = 0);
// Removes blanks (also the full-width blank) and line breaks: the PDF holds no glyph for a
// blank, and pdftotext puts its own blanks where it sees gaps.
std::string squeeze(const std::string& text);
// The page's text (0: all pages) squeezed.
std::string pdfText(const std::filesystem::path& pdf, int page = 0);

std::string pdfInfo(const std::filesystem::path& pdf);
// The page count pdfinfo reports (-1: not a PDF it can read).
int pdfPages(const std::filesystem::path& pdf);

// Width and height of the first page in points, and whether pdfinfo names it A4.
struct PdfPageSize {
    double width = 0;
    double height = 0;
    bool a4 = false;
};
PdfPageSize pdfPageSize(const std::filesystem::path& pdf);

// How often `what` occurs in `text`.
std::size_t countOf(const std::string& text, const std::string& what);

} // namespace testsupport

// The report's printer settings, by the classic numbers a report's printer set-up routine uses,
// and the page geometry in twips that follows from them.
#pragma once

namespace plat::report {

namespace paper {
inline constexpr int kLetter = 1;
inline constexpr int kA3 = 8;
inline constexpr int kA4 = 9;
inline constexpr int kA5 = 11;
inline constexpr int kB4 = 12; // JIS B4
inline constexpr int kB5 = 13; // JIS B5
} // namespace paper

namespace orientation {
inline constexpr int kPortrait = 1;
inline constexpr int kLandscape = 2;
} // namespace orientation

namespace paperSource {
inline constexpr int kUpper = 1;
inline constexpr int kLower = 2;
inline constexpr int kManual = 4;
inline constexpr int kAutomatic = 7;
inline constexpr int kCassette = 14;
} // namespace paperSource

struct PageSetup {
    int paperSize = paper::kA4;
    int orientation = orientation::kPortrait;
    int paperSource = paperSource::kAutomatic;
    // Margins in twips; the printable width is the paper width less the left and right margins.
    int leftMargin = 720;
    int rightMargin = 720;
    int topMargin = 720;
    int bottomMargin = 720;
};

struct PaperTwips {
    int width = 0;
    int height = 0;
};

// Paper size as laid out (landscape swaps the sides); throws ReportError for an unknown size.
PaperTwips paperTwips(const PageSetup& setup);

// The width between the left and right margins.
int printableWidth(const PageSetup& setup);
// Sets equal left and right margins leaving `width` between them (a layout designed for a
// printable width of 11,280 twips on A4 portrait gets margins of 313).
void centreHorizontally(PageSetup& setup, int width);
bool isKnownPaperSize(int paperSize);

} // namespace plat::report

// Paper sizes in twips, from their millimetre sizes.
#include "platform/report/PageSetup.h"

#include "platform/report/ReportError.h"

#include <algorithm>
#include <cmath>

namespace plat::report {

namespace {

struct PaperMillimetres {
    int code;
    double width;
    double height;
};

constexpr PaperMillimetres kPapers[] = {
    {paper::kLetter, 215.9, 279.4}, {paper::kA3, 297, 420}, {paper::kA4, 210, 297},
    {paper::kA5, 148, 210},         {paper::kB4, 257, 364}, {paper::kB5, 182, 257},
};

int mmToTwips(double mm) {
    return static_cast<int>(std::lround(mm * 1440.0 / 25.4));
}

} // namespace

bool isKnownPaperSize(int paperSize) {
    for (const auto& p : kPapers) {
        if (p.code == paperSize)
            return true;
    }
    return false;
}

PaperTwips paperTwips(const PageSetup& setup) {
    for (const auto& p : kPapers) {
        if (p.code != setup.paperSize)
            continue;
        PaperTwips t{mmToTwips(p.width), mmToTwips(p.height)};
        if (setup.orientation == orientation::kLandscape)
            return {t.height, t.width};
        return t;
    }
    throw ReportError(ErrorCode::UnsupportedPaper, std::to_string(setup.paperSize));
}

int printableWidth(const PageSetup& setup) {
    return paperTwips(setup).width - setup.leftMargin - setup.rightMargin;
}

void centreHorizontally(PageSetup& setup, int width) {
    const int spare = std::max(0, paperTwips(setup).width - width);
    setup.leftMargin = spare / 2;
    setup.rightMargin = spare - spare / 2;
}

} // namespace plat::report

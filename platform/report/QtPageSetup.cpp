// Paper sizes and sources by their classic numbers, mapped to Qt's page sizes and sources.
#include "platform/report/QtPageSetup.h"

#include "platform/report/ReportError.h"

namespace plat::report {

namespace {

QPageSize::PageSizeId pageSizeIdOf(int paperSize) {
    switch (paperSize) {
    case paper::kLetter:
        return QPageSize::Letter;
    case paper::kA3:
        return QPageSize::A3;
    case paper::kA4:
        return QPageSize::A4;
    case paper::kA5:
        return QPageSize::A5;
    case paper::kB4:
        return QPageSize::JisB4;
    case paper::kB5:
        return QPageSize::JisB5;
    }
    throw ReportError(ErrorCode::UnsupportedPaper, std::to_string(paperSize));
}

} // namespace

QPageLayout pageLayoutOf(const PageSetup& setup) {
    const auto orient = setup.orientation == orientation::kLandscape ? QPageLayout::Landscape
                                                                     : QPageLayout::Portrait;
    return QPageLayout(QPageSize(pageSizeIdOf(setup.paperSize)), orient, QMarginsF(0, 0, 0, 0),
                       QPageLayout::Millimeter);
}

QPrinter::PaperSource paperSourceOf(int paperSource) {
    switch (paperSource) {
    case paperSource::kUpper:
        return QPrinter::Upper;
    case paperSource::kLower:
        return QPrinter::Lower;
    case paperSource::kManual:
        return QPrinter::Manual;
    case paperSource::kCassette:
        return QPrinter::Cassette;
    default:
        return QPrinter::Auto;
    }
}

void applyPageSetup(QPrinter& printer, const PageSetup& setup) {
    printer.setFullPage(true);
    printer.setPageLayout(pageLayoutOf(setup));
    printer.setPaperSource(paperSourceOf(setup.paperSource));
}

} // namespace plat::report

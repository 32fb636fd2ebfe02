// The report's printer settings in Qt's terms: page layout (full paper, no margins, since the
// report places everything itself) and paper source.
#pragma once

#include "platform/report/PageSetup.h"

#include <QPageLayout>
#include <QPrinter>

namespace plat::report {

QPageLayout pageLayoutOf(const PageSetup& setup); // throws ReportError for an unknown paper
QPrinter::PaperSource paperSourceOf(int paperSource);

// Applies the settings to a printer (paper, orientation, source, full-page origin).
void applyPageSetup(QPrinter& printer, const PageSetup& setup);

} // namespace plat::report

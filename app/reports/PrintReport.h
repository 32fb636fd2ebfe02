// Running a report from a print screen: preview it (check box PrtPreview ticked) or print it at
// once, and show a failure as number + ": " + description under "エラー印刷時" — also one of
// the preview window's own print and save buttons.
#pragma once

#include <string>

class QWidget;

namespace plat::report {
class Report;
}

namespace tamsel::reports {

void showPrintError(int number, const std::string& description, QWidget* parent);

// The report's printer settings (ChgPrinter) are set by the caller beforehand.
void previewOrPrint(plat::report::Report& report, bool preview, QWidget* parent);

} // namespace tamsel::reports

// Printing a report to a PDF file, a CSV file, an Excel workbook or any of them from the command
// line, without any window:
//   tamsel --print site --month 2004-04 [--pdf FILE] [--csv FILE] [--xlsx FILE]
//   tamsel --print annual --year 2004 [--pdf FILE] [--csv FILE] [--xlsx FILE]
//   tamsel --print statement --month 2004-04 [--employee 12] [--pdf FILE] [--csv FILE] [--xlsx FILE]
// (at least one file). It runs the print screens' own steps (the stored query or the work table,
// then the same report layout) on the database in the program's folder; the CSV and the
// workbook are the export table of the laid-out report.
#pragma once

#include "app/frame/BatchCommands.h"

#include <QStringList>

namespace plat::report {
class Report;
}

namespace tamsel::reports {

// Exit statuses of a batch print.
inline constexpr int kBatchWritten = 0;
inline constexpr int kBatchFailed = 1;   // a database or report error (shown on standard error)
inline constexpr int kBatchBadUsage = 2; // arguments that do not name a report, month or file
inline constexpr int kBatchNoData = 3;   // nothing to print: no file is written
inline constexpr int kNotBatchRequest = -1;

// True when the arguments ask for a batch print (the option --print is present), so the caller
// can start without a display before the application object exists.
bool isBatchPrintRequest(int argc, char** argv);

// Writes a laid-out report (with data) to the files asked for: PDF, CSV, workbook. Throws
// plat::report::ReportError.
void writeBatchOutputs(const plat::report::Report& report, const BatchOutputs& outputs);

// Runs a batch print when args (the program's arguments, program name first) ask for one and
// returns its exit status; returns kNotBatchRequest otherwise. Needs a QGuiApplication.
int runBatchPrint(const QStringList& args);

} // namespace tamsel::reports

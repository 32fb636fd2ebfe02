// Printing the overtime check to a PDF file, a CSV file, an Excel workbook or any of them from
// the command line, without any window:
//   tamsel --print overtime --year YYYY [--pdf FILE] [--csv FILE] [--xlsx FILE]
// (at least one file). YYYY is the agreement year as the screen's year box
// shows it; the settings stored in the database in the program's folder apply. Exit statuses as
// for the other batch prints.
#pragma once

#include <QStringList>

namespace tamsel::overtime {

// True when the arguments ask for this print (--print overtime or --print=overtime).
bool isOvertimeBatchRequest(int argc, char** argv);

// Runs the print and returns its exit status (reports::kBatchWritten, kBatchFailed,
// kBatchBadUsage or kBatchNoData). Needs a QGuiApplication.
int runOvertimeBatch(const QStringList& args);

} // namespace tamsel::overtime

// Command-line work that runs without any window (for example writing a report to a PDF file
// from a script). Modules register their commands the way screens register; the program's
// entry runs the first command that claims the arguments instead of showing the main menu.
#pragma once

#include <QStringList>

#include <QString>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace tamsel {

struct BatchCommand {
    // Whether the raw arguments ask for this command; asked before the application object
    // exists, so that a batch run can do without a display.
    std::function<bool(int argc, char** argv)> claims;
    // Runs the command and returns the program's exit status.
    std::function<int(const QStringList& arguments)> run;
    // A command that claims every request of its kind of option (for example any --print, to
    // answer an unknown report with its usage) is asked only after the commands that claim
    // particular requests, whatever the order of registration.
    bool catchAll = false;
};

bool registerBatchCommand(BatchCommand command);

// The first registered command that claims the arguments, catch-all commands last; nullptr
// when none does.
const BatchCommand* findBatchCommand(int argc, char** argv);

// The options after the program name as (name, value) pairs, from "--name value" and
// "--name=value"; nothing when an option lacks its value.
std::optional<std::vector<std::pair<QString, QString>>> batchOptions(const QStringList& arguments);

// The files a batch print writes: any of a PDF, a CSV table and an Excel workbook.
struct BatchOutputs {
    QString pdf;
    QString csv;
    QString xlsx;
    bool any() const { return !pdf.isEmpty() || !csv.isEmpty() || !xlsx.isEmpty(); }
};

// Takes the options --pdf, --csv and --xlsx into outputs; false for any other option.
bool takeOutputOption(const QString& name, const QString& value, BatchOutputs& outputs);

} // namespace tamsel

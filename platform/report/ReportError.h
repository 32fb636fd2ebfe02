// The error every report operation raises: a number and a Japanese description, which the
// print screens show as number + ": " + description.
#pragma once

#include <stdexcept>
#include <string>

namespace plat::report {

// Error numbers of the report engine. Database errors keep the database layer's own numbers.
enum class ErrorCode : int {
    InvalidCall = 5,        // a name or setting the report does not know
    FileAccess = 75,        // the PDF file could not be written
    NoPrinter = 482,        // no printer is installed
    PrintFailed = 483,      // the printer refused the job
    UnsupportedPaper = 484, // a paper size the engine cannot map
    BadLayout = 5001,       // bands or controls that cannot be laid out
    NoRecordSource = 5002,  // the report started without a record source
    UnknownColumn = 5003,   // a control or group is bound to a column the rows lack
    DataSource = 5004,      // the data source could not be opened
    ReportCode = 5005,      // the report's own code failed while the report ran
};

class ReportError : public std::runtime_error {
public:
    ReportError(int number, std::string description);
    ReportError(ErrorCode code, std::string detail = {});

    int number() const { return number_; }
    // UTF-8 Japanese text, without the number.
    const std::string& description() const { return description_; }

private:
    int number_;
    std::string description_;
};

} // namespace plat::report

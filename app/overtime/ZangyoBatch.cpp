// Command-line printing of the overtime check to PDF, CSV and an Excel workbook.
#include "app/overtime/ZangyoBatch.h"

#include "app/frame/BatchCommands.h"
#include "app/frame/ProgramFolder.h"
#include "app/overtime/RptZangyo.h"
#include "app/overtime/Texts.h"
#include "app/overtime/YearCheck.h"
#include "app/reports/BatchPrint.h"
#include "app/reports/Texts.h"
#include "platform/jet/Error.h"
#include "platform/report/ReportError.h"
#include "platform/widgets/DateBox.h"

#include <cstdio>
#include <cstring>
#include <optional>

namespace tamsel::overtime {

namespace {

constexpr char kKind[] = "overtime";

struct Request {
    std::optional<int> year;
    BatchOutputs out;
};

// False on an unknown or incomplete option, or when another report is asked for.
bool parse(const QStringList& args, Request& request) {
    bool kind = false;
    const auto options = batchOptions(args);
    if (!options)
        return false;
    for (const auto& [name, value] : *options) {
        if (name == QLatin1String("--print")) {
            kind = value == QLatin1String(kKind);
        } else if (name == QLatin1String("--year")) {
            const auto y = plat::widgets::DateBox::parse(value, plat::widgets::DateBox::Mode::Year);
            if (!y)
                return false;
            request.year = y->year;
        } else if (!takeOutputOption(name, value, request.out) &&
                   name != QLatin1String("--home")) {
            return false;
        }
    }
    return kind && request.year && request.out.any();
}

void printLine(const std::string& utf8) {
    std::fprintf(stderr, "%s\n", utf8.c_str());
}

} // namespace

bool isOvertimeBatchRequest(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--print=overtime") == 0)
            return true;
        if (std::strcmp(argv[i], "--print") == 0 && i + 1 < argc &&
            std::strcmp(argv[i + 1], kKind) == 0)
            return true;
    }
    return false;
}

int runOvertimeBatch(const QStringList& args) {
    Request request;
    if (!parse(args, request)) {
        printLine(texts::kBatchUsage);
        return reports::kBatchBadUsage;
    }
    try {
        plat::jet::Database db = plat::jet::Database::open(databasePath().toStdString());
        const YearCheck check = runYearCheck(db, *request.year, loadSettings(db));
        RptZangyo report(check);
        report.ChgPrinter();
        if (report.run().empty()) {
            printLine(reports::texts::kBatchNoData);
            return reports::kBatchNoData;
        }
        reports::writeBatchOutputs(report, request.out);
        return reports::kBatchWritten;
    } catch (const plat::jet::Error& e) {
        printLine(std::to_string(e.number()) + ": " + e.description());
    } catch (const plat::report::ReportError& e) {
        printLine(std::to_string(e.number()) + ": " + e.description());
    }
    return reports::kBatchFailed;
}

} // namespace tamsel::overtime

// Command-line printing of the three reports to PDF, CSV and Excel workbooks.
#include "app/reports/BatchPrint.h"

#include "app/closing/ClosedMonths.h"
#include "app/frame/BatchCommands.h"
#include "app/frame/ProgramFolder.h"
#include "app/reports/PrintRun.h"
#include "app/reports/ReportData.h"
#include "app/reports/ReportQueries.h"
#include "app/reports/RptRoumuG.h"
#include "app/reports/RptRuikei.h"
#include "app/reports/RptSRoumuMA4.h"
#include "app/reports/Texts.h"
#include "platform/jet/Error.h"
#include "platform/report/Csv.h"
#include "platform/report/Output.h"
#include "platform/report/ReportError.h"
#include "platform/report/Xlsx.h"
#include "platform/widgets/DateBox.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

namespace tamsel::reports {

namespace {

struct BatchRequest {
    QString kind; // "site", "annual" or "statement"
    std::optional<plat::text::DateTime> month;
    std::optional<int> year;
    std::optional<std::int64_t> employee;
    BatchOutputs out;
};

void printError(int number, const std::string& description) {
    std::fprintf(stderr, "%d: %s\n", number, description.c_str());
}

void printLine(const char* utf8) {
    std::fprintf(stderr, "%s\n", utf8);
}

// False on an unknown or incomplete option.
bool parseRequest(const QStringList& args, BatchRequest& request) {
    const auto options = batchOptions(args);
    if (!options)
        return false;
    for (const auto& [name, value] : *options) {
        using Mode = plat::widgets::DateBox::Mode;
        if (name == QLatin1String("--print")) {
            request.kind = value;
        } else if (name == QLatin1String("--month")) {
            request.month = plat::widgets::DateBox::parse(value, Mode::YearMonth);
            if (!request.month)
                return false;
        } else if (name == QLatin1String("--year")) {
            const auto y = plat::widgets::DateBox::parse(value, Mode::Year);
            if (!y)
                return false;
            request.year = y->year;
        } else if (name == QLatin1String("--employee")) {
            bool isNumber = false;
            request.employee = value.toLongLong(&isNumber);
            if (!isNumber || *request.employee <= 0)
                return false;
        } else if (!takeOutputOption(name, value, request.out) &&
                   name != QLatin1String("--home")) {
            return false;
        }
    }
    if (!request.out.any())
        return false;
    if (request.employee && request.kind != QLatin1String("statement"))
        return false;
    if (request.kind == QLatin1String("site") || request.kind == QLatin1String("statement"))
        return request.month.has_value();
    if (request.kind == QLatin1String("annual"))
        return request.year.has_value();
    return false;
}

template <class Layout> std::unique_ptr<plat::report::Report> makeReport(const QString& folder) {
    auto report = std::make_unique<Layout>(folder);
    report->ChgPrinter();
    return report;
}

int runRequest(const BatchRequest& request) {
    const QString folder = programFolder();
    plat::jet::Database db = plat::jet::Database::open(databasePath().toStdString());
    std::unique_ptr<plat::report::Report> report;
    if (request.kind == QLatin1String("site")) {
        buildSiteReportQuery(db, *request.month);
        auto site = std::make_unique<RptRoumuG>(folder, db);
        site->ChgPrinter();
        site->run();
        report = std::move(site);
    } else {
        const bool closed = !request.year && closing::isClosed(db, *request.month);
        // The work table is filled and read back in one transaction (PrintRun).
        PrintRun run;
        run.begin(db);
        if (request.year) {
            fillYear(run.db(), *request.year);
            report = makeReport<RptRuikei>(folder);
        } else {
            copyStatementLines(
                run.db(), request.employee ? employeeMonthCopySql(*request.employee, *request.month)
                                           : allEmployeesMonthCopySql(*request.month));
            report = makeReport<RptSRoumuMA4>(folder);
            static_cast<RptSRoumuMA4&>(*report).monthClosed = closed;
        }
        run.layOut(*report);
    }
    if (report->document().empty()) {
        printLine(texts::kBatchNoData);
        return kBatchNoData;
    }
    writeBatchOutputs(*report, request.out);
    return kBatchWritten;
}

} // namespace

void writeBatchOutputs(const plat::report::Report& report, const BatchOutputs& outputs) {
    if (!outputs.pdf.isEmpty())
        plat::report::writePdf(report.document(), outputs.pdf,
                               QString::fromStdString(report.caption));
    if (!outputs.csv.isEmpty())
        plat::report::writeCsv(report.exportTable(), outputs.csv);
    if (!outputs.xlsx.isEmpty())
        plat::report::writeXlsx(report.exportTable(), outputs.xlsx, report.caption);
}

bool isBatchPrintRequest(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--print") == 0 || std::strncmp(argv[i], "--print=", 8) == 0)
            return true;
    }
    return false;
}

int runBatchPrint(const QStringList& args) {
    bool asked = false;
    for (qsizetype i = 1; i < args.size(); ++i)
        asked = asked || args[i] == QLatin1String("--print") ||
                args[i].startsWith(QLatin1String("--print="));
    if (!asked)
        return kNotBatchRequest;

    BatchRequest request;
    if (!parseRequest(args, request)) {
        printLine(texts::kBatchUsage);
        return kBatchBadUsage;
    }
    try {
        return runRequest(request);
    } catch (const plat::jet::Error& e) {
        printError(e.number(), e.description());
    } catch (const plat::report::ReportError& e) {
        printError(e.number(), e.description());
    }
    return kBatchFailed;
}

} // namespace tamsel::reports

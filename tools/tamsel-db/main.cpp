// tamsel-db: creates the application database (optionally with demonstration data) in a file or
// on a server, copies a database between file and server, restores a server's dump, runs
// statement texts against a database through the same layer the program uses (one given on the
// command line, or one per line of standard input while the database stays open), and compacts
// or backs up a database with the maintenance screen's own routines; closes and opens months
// and lists them with the month closing's own rules.
#include "app/closing/ClosedMonths.h"
#include "app/closing/Texts.h"
#include "app/frame/DbFiles.h"
#include "app/frame/ServerMaintenance.h"
#include "platform/jet/Copy.h"
#include "platform/jet/Database.h"
#include "platform/jet/Location.h"
#include "platform/jet/Schema.h"
#include "tools/tamsel-db/ConsoleFormat.h"
#include "tools/tamsel-db/DemoData.h"

#include <QDir>

#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

namespace {

int usage() {
    std::cerr << "usage: tamsel-db init [--demo] [--force] PATH|URI  (--force: a file only)\n"
                 "       tamsel-db copy SOURCE TARGET  (each a file PATH or a server URI)\n"
                 "       tamsel-db sql PATH [\"STATEMENT\"]  (without one: a statement per line "
                 "of standard input)\n"
                 "       tamsel-db compact PATH|URI  (a server database: VACUUM (ANALYZE))\n"
                 "       tamsel-db backup PATH|URI FOLDER  (a server database: a dated dump)\n"
                 "       tamsel-db restore DUMP URI  (into an empty server database)\n"
                 "       tamsel-db close-month PATH|URI YYYY-MM\n"
                 "       tamsel-db open-month PATH|URI YYYY-MM\n"
                 "       tamsel-db months PATH|URI\n";
    return 2;
}

int fail(int number, const std::string& description) {
    std::cerr << "error " << number << ": " << description << "\n";
    return 1;
}

int fail(const plat::jet::Error& e) {
    return fail(e.number(), e.description());
}

int fail(const tamsel::DbFailure& f) {
    return fail(f.number, f.description.toStdString());
}

bool isSelect(const std::string& sql) {
    std::size_t i = 0;
    while (i < sql.size() && (std::isspace(static_cast<unsigned char>(sql[i])) || sql[i] == '('))
        ++i;
    std::string word;
    while (i < sql.size() && std::isalpha(static_cast<unsigned char>(sql[i])))
        word += static_cast<char>(std::toupper(static_cast<unsigned char>(sql[i++])));
    return word == "SELECT" || word == "WITH" || word == "PRAGMA" || word == "EXPLAIN" ||
           (i == sql.size() && !word.empty());
}

int runInit(const std::vector<std::string>& args) {
    bool demo = false, force = false;
    std::string path;
    for (const auto& a : args) {
        if (a == "--demo")
            demo = true;
        else if (a == "--force")
            force = true;
        else if (!a.empty() && a[0] == '-')
            return usage();
        else if (path.empty())
            path = a;
        else
            return usage();
    }
    if (path.empty() || (force && plat::jet::isServerLocation(path)))
        return usage();
    struct stat st {};
    if (force && ::stat(path.c_str(), &st) == 0) {
        ::unlink(path.c_str());
        ::unlink((path + "-journal").c_str());
    }
    const auto today = plat::text::nowLocal();
    plat::jet::createSchema(path, plat::text::firstOfMonth(today));
    if (demo) {
        auto db = plat::jet::Database::open(path);
        tamseldb::fillDemoData(db, today);
    }
    return 0;
}

void printResult(plat::jet::Database& db, const std::string& sql) {
    if (!isSelect(sql)) {
        std::cout << db.execute(sql) << "\n";
        return;
    }
    auto rs = db.openRecordset(sql);
    for (int i = 0; i < rs.fieldCount(); ++i)
        std::cout << (i ? "\t" : "") << rs.fieldName(i);
    std::cout << "\n";
    for (; !rs.eof(); rs.moveNext()) {
        for (int i = 0; i < rs.fieldCount(); ++i)
            std::cout << (i ? "\t" : "") << tamseldb::formatForConsole(rs.field(i));
        std::cout << "\n";
    }
}

int runSql(const std::string& path, const std::string& sql) {
    auto db = plat::jet::Database::open(path);
    printResult(db, sql);
    return 0;
}

// One statement per line until the input ends; the database stays open all the while, as it
// would in the program. A failing statement is reported and the next one runs.
int runSqlConsole(const std::string& path) {
    auto db = plat::jet::Database::open(path);
    int status = 0;
    std::string line;
    while (std::getline(std::cin, line)) {
        if (line.find_first_not_of(" \t\r") == std::string::npos)
            continue;
        try {
            printResult(db, line);
        } catch (const plat::jet::Error& e) {
            status = fail(e);
        }
        std::cout.flush();
    }
    return status;
}

// Copies every table into a new file or an empty server database and prints what the target
// now holds: rows per table and the checksum read back from it.
int runCopy(const std::string& source, const std::string& target) {
    const plat::jet::CopyReport report = plat::jet::copyDatabase(source, target);
    for (const auto& t : report.tables)
        std::cout << t.table << "\t" << t.rows << "\n";
    char sum[32];
    std::snprintf(sum, sizeof sum, "%016llx", static_cast<unsigned long long>(report.checksum));
    std::cout << "checksum\t" << sum << "\n";
    return 0;
}

QString fromArg(const std::string& arg) {
    return QString::fromLocal8Bit(arg.c_str());
}

int runCompact(const std::string& path) {
    if (const auto failure =
            tamsel::compactFile(fromArg(path), tamsel::realFileOps(), tamsel::runInPlace))
        return fail(*failure);
    return 0;
}

// A relative folder is taken from the current directory, as a console user expects.
int runBackup(const std::string& path, const std::string& folderArg) {
    QString folder;
    if (const auto refused =
            tamsel::resolveBackupFolder(fromArg(folderArg), QDir::currentPath(), folder))
        return fail(*refused);
    if (const auto failure = tamsel::ensureFolder(folder, tamsel::realFileOps()))
        return fail(*failure);
    if (const auto failure =
            tamsel::backupFile(fromArg(path), folder + QStringLiteral("/RoumuBK.mdb"),
                               tamsel::realFileOps(), tamsel::runInPlace))
        return fail(*failure);
    return 0;
}

// Closing a month before the current one; closing a closed month again changes nothing and
// is not an error, so a script may repeat it.
int runCloseMonth(const std::string& path, const std::string& monthArg) {
    const auto month = tamsel::closing::parseMonth(monthArg);
    if (!month)
        return usage();
    auto db = plat::jet::Database::open(path);
    const auto result = tamsel::closing::closeMonth(db, *month, plat::text::nowLocal());
    if (result == tamsel::closing::CloseResult::Closed)
        return 0;
    std::cerr << tamsel::closing::refusalText(result) << "\n";
    return result == tamsel::closing::CloseResult::AlreadyClosed ? 0 : 1;
}

int runOpenMonth(const std::string& path, const std::string& monthArg) {
    const auto month = tamsel::closing::parseMonth(monthArg);
    if (!month)
        return usage();
    auto db = plat::jet::Database::open(path);
    const auto result = tamsel::closing::openMonth(db, *month);
    if (result == tamsel::closing::OpenResult::NotClosed)
        std::cerr << tamsel::closing::refusalText(result) << "\n";
    return 0;
}

// One line a month, newest first: month, hours, amount, state and the time of closing.
int runMonths(const std::string& path) {
    auto db = plat::jet::Database::open(path);
    for (const auto& m : tamsel::closing::monthSummaries(db)) {
        char line[96];
        std::snprintf(line, sizeof line, "%04d-%02d\t%.1f\t%lld\t", m.month.year, m.month.month,
                      m.hours, static_cast<long long>(m.amount));
        std::cout << line
                  << (m.closedAt ? tamsel::closing::texts::kClosed : tamsel::closing::texts::kOpen)
                  << "\t" << (m.closedAt ? plat::text::toCanonical(*m.closedAt) : "") << "\n";
    }
    return 0;
}

int runRestore(const std::string& dump, const std::string& uri) {
    if (!plat::jet::isServerLocation(uri))
        return usage();
    if (const auto failure = tamsel::restoreServerDatabase(fromArg(dump), fromArg(uri)))
        return fail(*failure);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty())
        return usage();
    try {
        if (args[0] == "init")
            return runInit({args.begin() + 1, args.end()});
        if (args[0] == "sql" && args.size() == 3)
            return runSql(args[1], args[2]);
        if (args[0] == "sql" && args.size() == 2)
            return runSqlConsole(args[1]);
        if (args[0] == "copy" && args.size() == 3)
            return runCopy(args[1], args[2]);
        if (args[0] == "compact" && args.size() == 2)
            return runCompact(args[1]);
        if (args[0] == "backup" && args.size() == 3)
            return runBackup(args[1], args[2]);
        if (args[0] == "close-month" && args.size() == 3)
            return runCloseMonth(args[1], args[2]);
        if (args[0] == "open-month" && args.size() == 3)
            return runOpenMonth(args[1], args[2]);
        if (args[0] == "months" && args.size() == 2)
            return runMonths(args[1]);
        if (args[0] == "restore" && args.size() == 3)
            return runRestore(args[1], args[2]);
        return usage();
    } catch (const plat::jet::Error& e) {
        return fail(e);
    }
}

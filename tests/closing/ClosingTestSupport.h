// Shared pieces of the month closing tests: a fresh database in a scratch program folder, ledger
// lines written through the ledger's own statement texts, and the console tool run as a second
// process.
#pragma once

#include "platform/jet/Database.h"
#include "platform/jet/SqlDialect.h"
#include "tests/support/Databases.h"
#include "tests/support/Pdf.h"
#include "tests/support/Scratch.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace closingtest {

// A new empty folder for the running test, made the program's folder.
inline std::filesystem::path freshHome() {
    return testsupport::programFolder();
}

inline std::string databaseFile(const std::filesystem::path& home) {
    return (home / "Roumu.MDB").string();
}

// A file as every version before month closing made it: no closed-months table.
using testsupport::freshDatabase;

// One ledger line of `syainId` in the month, with `hours` on day 1.
inline void addLine(plat::jet::Database& db, int year, int month, std::int64_t syainId, int rowNo,
                    const std::string& wage, const std::string& hours) {
    char date[24];
    std::snprintf(date, sizeof date, "#%04d/%02d/01#", year, month);
    db.execute(std::string("INSERT INTO KYUYO_F (NENGETU,SYAINID,SNAME,TMONY,ROWNO,GENBAID,GNAME,"
                           "D1) VALUES (") +
               date + "," + std::to_string(syainId) + ",'社員'," + wage + "," +
               std::to_string(rowNo) + ",1,'現場'," + hours + ")");
}

using ToolRun = testsupport::CommandRun;

// Runs the console tool with `args` (already quoted for the shell) and waits for it to end;
// its status and standard output and error together.
inline testsupport::CommandRun runTool(const std::string& args) {
    return testsupport::runShell(std::string("'") + TAMSEL_DB_EXECUTABLE + "' " + args + " 2>&1");
}

inline std::string monthArg(const plat::text::DateTime& d) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02d", d.year, d.month);
    return buf;
}

} // namespace closingtest

// Shared pieces of the month closing tests: a fresh database in a scratch program folder, ledger
// lines written through the ledger's own statement texts, and the console tool run as a second
// process.
#pragma once

#include "platform/jet/Database.h"
#include "platform/jet/Schema.h"
#include "platform/jet/SqlDialect.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace closingtest {

// A new empty folder for the running test, made the program's folder.
inline std::filesystem::path freshHome() {
    const char* root = std::getenv("TAMSEL_TEST_TMP");
    std::filesystem::path dir =
        root ? std::filesystem::path(root) : std::filesystem::temp_directory_path() / "tamsel-test";
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir /= std::string("closing-") + info->test_suite_name() + "-" + info->name();
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    ::setenv("TAMSEL_HOME", dir.c_str(), 1);
    return dir;
}

inline std::string databaseFile(const std::filesystem::path& home) {
    return (home / "Roumu.MDB").string();
}

// A file as every version before month closing made it: no closed-months table.
inline plat::jet::Database freshDatabase(const std::filesystem::path& home) {
    plat::jet::createSchema(databaseFile(home), plat::text::DateTime{2004, 4, 1});
    return plat::jet::Database::open(databaseFile(home));
}

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

struct ToolRun {
    int status = -1;
    std::string out; // standard output and standard error
};

// Runs the console tool with `args` (already quoted for the shell) and waits for it to end.
inline ToolRun runTool(const std::string& args) {
    ToolRun run;
    const std::string command = std::string("'") + TAMSEL_DB_EXECUTABLE + "' " + args + " 2>&1";
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buf[4096];
        std::size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0)
            run.out.append(buf, n);
        const int raw = ::pclose(pipe);
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }
    return run;
}

inline std::string monthArg(const plat::text::DateTime& d) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02d", d.year, d.month);
    return buf;
}

} // namespace closingtest

// The batch reports of the demonstration database printed by the real program from a file and
// from a server database holding the same demonstration data: the same PDF text and the same
// CSV, byte for byte. The demonstration data follow today's date, so the months and years
// printed are read from the data.
#include "platform/jet/Database.h"
#include "tests/jet/TestDb.h"
#include "tests/support/Pdf.h"
#include "tests/support/Process.h"
#include "tests/support/Scratch.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

fs::path freshFolder(const std::string& name) {
    return testsupport::scratchFolder("engine-parity-" + name);
}

// Runs a program with TAMSEL_HOME set to `home` and TAMSEL_DATABASE to `database` (unset when
// empty); returns its exit status.
int runProgram(const std::vector<std::string>& argv, const fs::path& home,
               const std::string& database) {
    return testsupport::runProcess(
        argv, {{"TAMSEL_HOME", home.string()},
               {"TAMSEL_DATABASE",
                database.empty() ? std::nullopt : std::optional<std::string>(database)}});
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

using testsupport::pdfLayoutText;

std::size_t lineCount(const std::string& text) {
    std::size_t n = 0;
    for (char c : text)
        n += c == '\n';
    return n;
}

TEST(EngineParityTest, BatchReportsOfTheDemoDatabaseAreTheSameOnBothEngines) {
    if (const std::string why = jettest::serverSkipReason(); !why.empty())
        GTEST_SKIP() << why;
    const fs::path fileHome = freshFolder("file");
    const fs::path serverHome = freshFolder("server");
    const std::string uri = jettest::newServerDatabase();
    const std::string file = (fileHome / "Roumu.MDB").string();
    ASSERT_EQ(runProgram({TAMSEL_DB_PATH, "init", "--demo", file}, fileHome, ""), 0);
    ASSERT_EQ(runProgram({TAMSEL_DB_PATH, "init", "--demo", uri}, serverHome, ""), 0);

    // The latest ledger month and its year, read from the file's data.
    int year = 0, month = 0;
    {
        plat::jet::Database db = plat::jet::Database::open(file);
        plat::jet::Recordset rs = db.openRecordset(
            "SELECT Year(Nengetu) AS Y, Month(Nengetu) AS M FROM KYUYO_F ORDER BY Nengetu DESC");
        ASSERT_FALSE(rs.eof());
        year = static_cast<int>(rs.field("Y").toLong());
        month = static_cast<int>(rs.field("M").toLong());
    }
    char monthText[16];
    std::snprintf(monthText, sizeof monthText, "%04d-%02d", year, month);
    const std::string yearText = std::to_string(year);

    struct Report {
        const char* name;
        std::vector<std::string> args;
    };
    const std::vector<Report> reports = {
        {"site", {"--print", "site", "--month", monthText}},
        {"statement", {"--print", "statement", "--month", monthText}},
        {"annual", {"--print", "annual", "--year", yearText}},
        {"overtime", {"--print", "overtime", "--year", yearText}},
    };
    for (const Report& report : reports) {
        SCOPED_TRACE(report.name);
        std::string text[2], csv[2];
        for (int engine = 0; engine < 2; ++engine) {
            const fs::path home = engine == 0 ? fileHome : serverHome;
            const fs::path pdf = home / (std::string(report.name) + ".pdf");
            const fs::path csvPath = home / (std::string(report.name) + ".csv");
            std::vector<std::string> argv = {TAMSEL_EXECUTABLE};
            argv.insert(argv.end(), report.args.begin(), report.args.end());
            argv.insert(argv.end(), {"--pdf", pdf.string(), "--csv", csvPath.string()});
            ASSERT_EQ(runProgram(argv, home, engine == 0 ? "" : uri), 0)
                << (engine == 0 ? "file" : "server");
            text[engine] = pdfLayoutText(pdf);
            csv[engine] = readFile(csvPath);
        }
        // Both printed something of substance: a heading row and several rows of figures.
        EXPECT_GE(lineCount(csv[0]), 3u) << csv[0];
        EXPECT_GE(lineCount(text[0]), 5u) << text[0];
        EXPECT_EQ(text[0], text[1]);
        EXPECT_TRUE(csv[0] == csv[1]) << "file:\n" << csv[0] << "\nserver:\n" << csv[1];
    }
}

} // namespace

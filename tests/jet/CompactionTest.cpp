// Compaction into a new file: an existing target is refused and nothing changes.
#include "TestDb.h"

#include "platform/jet/Compaction.h"
#include "platform/jet/Database.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <iterator>

namespace {

using plat::jet::Database;
using plat::jet::Error;

std::string contents(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

off_t fileSize(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_size : -1;
}

class CompactionTest : public testing::Test {
protected:
    void SetUp() override {
        auto db = jettest::createDatabase(source);
        db.beginTrans();
        for (int i = 0; i < 2000; ++i)
            db.execute("INSERT INTO GENBA_MT (GName) VALUES ('" + std::string(200, 'x') + "')");
        db.commitTrans();
        db.execute("DELETE FROM GENBA_MT WHERE GENBAID>10");
    }
    jettest::TempDir dir;
    std::string source = dir.file("Roumu.MDB");
    std::string target = source + "wk";
};

TEST_F(CompactionTest, WritesASmallerCopyWithTheSameDataAndReportsProgress) {
    std::vector<int> steps;
    plat::jet::compactDatabase(source, target, [&](int p) { steps.push_back(p); });
    EXPECT_LT(fileSize(target), fileSize(source) / 4);
    ASSERT_FALSE(steps.empty());
    EXPECT_EQ(steps.front(), 0);
    EXPECT_EQ(steps.back(), 100);
    EXPECT_TRUE(std::is_sorted(steps.begin(), steps.end()));
    auto copy = Database::open(target);
    EXPECT_EQ(copy.openRecordset("SELECT count(*) AS n FROM GENBA_MT")["n"].toLong(), 10);
    EXPECT_TRUE(copy.hasQuery("Q_Genba"));
    EXPECT_EQ(copy.openRecordset("PRAGMA integrity_check")[0].toText(), "ok");
    // The copy keeps handing out new keys after the old ones.
    copy.execute("INSERT INTO GENBA_MT (GName) VALUES ('n')");
    EXPECT_EQ(copy.lastInsertId(), 2001);
}

TEST_F(CompactionTest, ExistingTargetFailsWith3204AndLeavesBothFilesAsTheyWere) {
    std::ofstream(target) << "left over from an interrupted run";
    const std::string before = contents(source);
    try {
        plat::jet::compactDatabase(source, target);
        FAIL() << "compaction onto an existing file must fail";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), plat::jet::err::DatabaseExists);
    }
    EXPECT_EQ(contents(target), "left over from an interrupted run");
    EXPECT_EQ(contents(source), before);
}

TEST_F(CompactionTest, MissingOrBrokenSourceLeavesNoTargetBehind) {
    try {
        plat::jet::compactDatabase(dir.file("nothere.MDB"), target);
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), plat::jet::err::FileNotFound);
    }
    const std::string junk = dir.file("junk.MDB");
    std::ofstream(junk) << std::string(4096, 'j');
    EXPECT_THROW(plat::jet::compactDatabase(junk, target), Error);
    EXPECT_EQ(fileSize(target), -1);
}

} // namespace

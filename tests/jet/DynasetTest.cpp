// Dynasets as the master screens' bound data control uses them.
#include "TestDb.h"

#include "platform/jet/Database.h"

#include <gtest/gtest.h>

namespace {

using plat::jet::Database;
using plat::jet::EditMode;
using plat::jet::Error;
using plat::jet::Value;
namespace err = plat::jet::err;

class DynasetTest : public jettest::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        if (IsSkipped())
            return;
        for (const char* n : {"'一郎',1100", "'二郎',1200", "'三郎',1300"})
            db.execute(std::string("INSERT INTO SYAIN_MT (SName,TMony) VALUES (") + n + ")");
    }
};
JET_ENGINE_SUITE(DynasetTest);

TEST_P(DynasetTest, NavigationStopsAtBofAndEof) {
    auto ds = db.openDynaset("Syain_MT");
    EXPECT_EQ(ds.recordCount(), 3);
    EXPECT_FALSE(ds.bof());
    EXPECT_EQ(ds["SName"].toText(), "一郎");
    ds.movePrevious();
    EXPECT_TRUE(ds.bof());
    EXPECT_THROW(ds.movePrevious(), Error);
    EXPECT_THROW(ds.field("SName"), Error);
    ds.moveLast();
    EXPECT_EQ(ds["SyainID"].toLong(), 3);
    EXPECT_EQ(ds.absolutePosition(), 2);
    ds.moveNext();
    EXPECT_TRUE(ds.eof());
    ds.movePrevious();
    EXPECT_EQ(ds["SName"].toText(), "三郎");
    EXPECT_TRUE(ds.moveToKey(Value(2)));
    EXPECT_EQ(ds["SName"].toText(), "二郎");
    EXPECT_FALSE(ds.moveToKey(Value(99)));
}

TEST_P(DynasetTest, EditUpdateAndCancelOnATable) {
    auto ds = db.openDynaset("SYAIN_MT");
    ds.moveNext();
    EXPECT_THROW(ds.setField("SName", "x"), Error) << "set without edit";
    ds.edit();
    ds.setField("SName", "二郎丸");
    ds.setField("TMony", "1250.5");
    EXPECT_EQ(ds.editMode(), EditMode::Edit);
    ds.update();
    EXPECT_EQ(ds.editMode(), EditMode::None);
    EXPECT_EQ(ds["TMony"].toCurrency().scaled, 12505000);
    auto rs = db.openRecordset("SELECT SNAME,TMONY FROM SYAIN_MT WHERE SYAINID=2");
    EXPECT_EQ(rs["SName"].toText(), "二郎丸");
    EXPECT_EQ(rs["TMony"].toDouble(), 1250.5);

    ds.edit();
    ds.setField("SName", "捨てる");
    ds.cancelUpdate();
    EXPECT_EQ(ds["SName"].toText(), "二郎丸");
    ds.edit();
    try {
        ds.setField("TMony", "千円");
        FAIL() << "a wage that is not a number must be refused";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), err::TypeMismatch);
    }
}

TEST_P(DynasetTest, AddNewOnTableAssignsTheNextKeyAndKeysAreNotReused) {
    auto ds = db.openDynaset("SYAIN_MT");
    ds.moveLast();
    ds.remove();
    EXPECT_EQ(ds.recordCount(), 2);
    EXPECT_EQ(ds["SyainID"].toLong(), 2) << "after deleting the last row the previous is current";
    ds.addNew();
    EXPECT_TRUE(ds["SyainID"].isNull());
    ds.setField("SName", "四郎");
    ds.setField("TMony", 1400);
    ds.update();
    EXPECT_EQ(ds.lastModifiedKey(), Value(4));
    EXPECT_EQ(ds["SyainID"].toLong(), 4);
    EXPECT_EQ(ds.recordCount(), 3);
    ds.requery();
    EXPECT_EQ(ds.recordCount(), 3);
    EXPECT_EQ(ds["SyainID"].toLong(), 1);
}

TEST_P(DynasetTest, SiteQueryAddsWithAssignedKeyAndRegistrationTime) {
    db.execute("INSERT INTO GENBA_MT (GName,CrtDate) VALUES ('古い現場',#2003/01/01 08:00#)");
    auto ds = db.openDynaset("Q_Genba");
    EXPECT_EQ(ds.fieldNames(), (std::vector<std::string>{"GenbaID", "GName", "CrtDate"}));
    const auto before = plat::text::nowLocal();
    ds.addNew();
    ds.setField("GName", "新しい現場");
    ds.update();
    EXPECT_EQ(ds.lastModifiedKey().toLong(), 2);
    EXPECT_EQ(ds["GenbaID"].toLong(), 2);
    EXPECT_EQ(ds["CrtDate"].type(), plat::jet::ValueType::Date);
    const auto at = ds["CrtDate"].toDate();
    EXPECT_GE(plat::text::addDays(at, 1), before);
    EXPECT_LE(plat::text::addDays(at, -1), plat::text::nowLocal());

    // Rename through the query, then delete through it.
    ds.moveFirst();
    ds.edit();
    ds.setField("GName", "改名した現場");
    ds.update();
    EXPECT_EQ(db.openRecordset("SELECT GNAME FROM GENBA_MT WHERE GENBAID=1")["GName"].toText(),
              "改名した現場");
    EXPECT_EQ(db.openRecordset("SELECT CrtDate FROM GENBA_MT WHERE GENBAID=1")["CrtDate"].toDate(),
              (plat::text::DateTime{2003, 1, 1, 8, 0, 0}));
    ds.remove();
    EXPECT_EQ(ds.recordCount(), 1);
    EXPECT_EQ(ds["GName"].toText(), "新しい現場");
    ds.remove();
    EXPECT_TRUE(ds.bof() && ds.eof());
    EXPECT_TRUE(db.openRecordset("SELECT * FROM GENBA_MT").eof());
    // An empty site list starts a new record.
    ds.addNew();
    ds.setField("GName", "三番目");
    ds.update();
    EXPECT_EQ(ds["GenbaID"].toLong(), 3) << "deleted site numbers are not given out again";
}

TEST_P(DynasetTest, ChangesOfOtherUsersAppearAfterRequery) {
    auto ds = db.openDynaset("SYAIN_MT");
    Database other = Database::open(db.path());
    other.execute("DELETE FROM SYAIN_MT WHERE SYAINID=1");
    ds.edit();
    ds.setField("SName", "x");
    try {
        ds.update();
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), err::RecordDeleted);
    }
    ds.requery();
    EXPECT_EQ(ds.recordCount(), 2);
}

} // namespace

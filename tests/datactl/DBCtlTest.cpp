// The bound data control on a real database file: opening, moving with BOF/EOF, bound fields
// filled and stored when the record is left, new records, deletion, requery, and errors that
// keep the clerk's edit.
#include "platform/widgets/datactl/DBCtl.h"
#include "platform/widgets/NumericBox.h"
#include "platform/widgets/TextBox.h"
#include "tests/datactl/DataFixture.h"

#include <QSignalSpy>

using plat::widgets::DBCtl;
using plat::widgets::NumericBox;
using plat::widgets::TextBox;

namespace {
struct Reported {
    DBCtl::Step step;
    int number;
    QString description;
};
} // namespace

class DBCtlTest : public DataFixture {
protected:
    void open(const char* source = "Syain_MT") {
        ctl.setDatabaseName(dbPath());
        ctl.setRecordSource(QString::fromUtf8(source));
        ctl.bind(&name, QStringLiteral("SName"));
        ctl.bind(&wage, QStringLiteral("TMony"));
        QObject::connect(&ctl, &DBCtl::errorOccurred,
                         [this](DBCtl::Step s, int n, const QString& d) {
                             errors.push_back({s, n, d});
                         });
        ASSERT_TRUE(ctl.refresh());
    }

    DBCtl ctl;
    TextBox name;
    NumericBox wage;
    std::vector<Reported> errors;
};

TEST_F(DBCtlTest, OpensOnTheFirstRowAndStepsToBofAndEof) {
    addEmployees(3);
    open();
    EXPECT_EQ(ctl.recordCount(), 3);
    EXPECT_EQ(ctl.rowCount(), 3);
    EXPECT_EQ(ctl.currentRow(), 0);
    EXPECT_EQ(name.text(), QStringLiteral("社員1"));
    EXPECT_EQ(wage.currency(), 1000 * 10000);
    EXPECT_FALSE(name.dataChanged());

    EXPECT_TRUE(ctl.moveLast());
    EXPECT_EQ(name.text(), QStringLiteral("社員3"));
    EXPECT_TRUE(ctl.moveNext());
    EXPECT_TRUE(ctl.eof());
    EXPECT_EQ(ctl.currentRow(), -1);
    EXPECT_TRUE(name.text().isEmpty());
    // Further out than EOF is an error the control reports instead of throwing.
    EXPECT_FALSE(ctl.moveNext());
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].step, DBCtl::Step::Move);
    EXPECT_EQ(errors[0].number, 3021);

    EXPECT_TRUE(ctl.moveFirst());
    EXPECT_TRUE(ctl.movePrevious());
    EXPECT_TRUE(ctl.bof());
    EXPECT_TRUE(ctl.moveTo(1));
    EXPECT_EQ(name.text(), QStringLiteral("社員2"));
    EXPECT_EQ(ctl.field(QStringLiteral("syainid")).toLong(), 2);
}

TEST_F(DBCtlTest, AChangedFieldIsStoredWhenTheRecordIsLeftAndOnlyThatColumnIsWritten) {
    addEmployees(3);
    open();
    ctl.moveTo(1);
    name.setText(QStringLiteral("佐藤 'はな'"));
    EXPECT_TRUE(ctl.hasPendingChange());
    QSignalSpy reset(&ctl, &DBCtl::rowsReset);
    EXPECT_TRUE(ctl.moveNext());
    EXPECT_EQ(ctl.currentRow(), 2);
    EXPECT_EQ(nameOf(2), "佐藤 'はな'");
    EXPECT_EQ(reset.count(), 1);
    EXPECT_EQ(ctl.value(1, ctl.fieldIndex(QStringLiteral("SName"))).toText(), "佐藤 'はな'");
    auto rs = db().openRecordset("SELECT TMONY FROM SYAIN_MT WHERE SYAINID=2");
    EXPECT_EQ(rs["TMONY"].toCurrency(), plat::jet::Currency::fromUnits(1000));

    // Moving without a change writes nothing and keeps the fields unchanged-flagged.
    EXPECT_TRUE(ctl.movePrevious());
    EXPECT_FALSE(ctl.hasPendingChange());
    EXPECT_EQ(reset.count(), 1);
}

TEST_F(DBCtlTest, ANewRecordIsStoredWithTheKeyTheDatabaseGaveItAndAnUnchangedOneIsDropped) {
    open();
    EXPECT_EQ(ctl.recordCount(), 0);
    EXPECT_TRUE(ctl.bof());
    EXPECT_TRUE(ctl.eof());
    EXPECT_TRUE(ctl.addNew());
    EXPECT_TRUE(ctl.isAddingNew());
    EXPECT_EQ(ctl.currentRow(), -1);
    // Nothing typed: leaving the new record stores nothing.
    EXPECT_TRUE(ctl.moveFirst());
    EXPECT_FALSE(ctl.isAddingNew());
    EXPECT_EQ(employeeCount(), 0);

    ctl.addNew();
    name.setText(QStringLiteral("新人"));
    wage.setValue(1250);
    EXPECT_TRUE(ctl.updateRecord());
    EXPECT_FALSE(ctl.isAddingNew());
    EXPECT_EQ(ctl.recordCount(), 1);
    EXPECT_EQ(ctl.currentRow(), 0);
    EXPECT_EQ(ctl.field(QStringLiteral("SyainID")).toLong(), 1);
    EXPECT_EQ(ctl.lastStoredKey().toLong(), 1);
    EXPECT_EQ(nameOf(1), "新人");

    // Keys are not reused after a delete.
    ASSERT_TRUE(ctl.deleteCurrent());
    ctl.addNew();
    name.setText(QStringLiteral("次の人"));
    EXPECT_TRUE(ctl.refresh());
    EXPECT_EQ(ctl.field(QStringLiteral("SyainID")).toLong(), 2);
}

TEST_F(DBCtlTest, DeletingMakesTheNextRowCurrentAndDropsOnlyAnUnstoredNewRecord) {
    addEmployees(4);
    open();
    ctl.moveTo(1);
    name.setText(QStringLiteral("捨てる変更"));
    ASSERT_TRUE(ctl.deleteCurrent());
    EXPECT_EQ(ctl.recordCount(), 3);
    EXPECT_EQ(ctl.currentRow(), 1);
    EXPECT_EQ(name.text(), QStringLiteral("社員3"));
    EXPECT_EQ(nameOf(2), "<none>");

    ctl.moveLast();
    ASSERT_TRUE(ctl.deleteCurrent());
    EXPECT_EQ(name.text(), QStringLiteral("社員3"));

    ctl.addNew();
    name.setText(QStringLiteral("未登録"));
    ASSERT_TRUE(ctl.deleteCurrent());
    EXPECT_FALSE(ctl.isAddingNew());
    EXPECT_EQ(employeeCount(), 2);
    EXPECT_EQ(name.text(), QStringLiteral("社員3"));
}

TEST_F(DBCtlTest, RequeryAndRefreshReadOtherWritersRowsAndMakeTheFirstRowCurrent) {
    addEmployees(2);
    open();
    ctl.moveLast();
    db().execute("INSERT INTO SYAIN_MT (SNAME,TMONY) VALUES ('外から',900)");
    EXPECT_EQ(ctl.recordCount(), 2);
    name.setText(QStringLiteral("変更"));
    EXPECT_TRUE(ctl.refresh());
    EXPECT_EQ(ctl.recordCount(), 3);
    EXPECT_EQ(ctl.currentRow(), 0);
    EXPECT_EQ(nameOf(2), "変更");
    EXPECT_EQ(ctl.value(2, ctl.fieldIndex(QStringLiteral("SName"))).toText(), "外から");

    ctl.moveLast();
    name.setText(QStringLiteral("捨てる"));
    EXPECT_TRUE(ctl.requery());
    EXPECT_EQ(nameOf(3), "外から");
    EXPECT_EQ(name.text(), QStringLiteral("社員1"));
}

TEST_F(DBCtlTest, AStoredQueryIsUpdatableAndFillsKeyAndRegistrationTime) {
    TextBox site;
    DBCtl genba;
    genba.setDatabaseName(dbPath());
    genba.setRecordSource(QStringLiteral("Q_Genba"));
    genba.bind(&site, QStringLiteral("GName"));
    ASSERT_TRUE(genba.refresh());
    genba.addNew();
    site.setText(QStringLiteral("駅前ビル"));
    ASSERT_TRUE(genba.updateRecord());
    EXPECT_EQ(genba.field(QStringLiteral("GenbaID")).toLong(), 1);
    const plat::jet::Value crt = genba.field(QStringLiteral("CrtDate"));
    ASSERT_FALSE(crt.isNull());
    EXPECT_GE(crt.toDate().year, 2024);
}

TEST_F(DBCtlTest, AMissingFileIsReportedAsAnOpenError) {
    ctl.setDatabaseName(home.file(QStringLiteral("nothing.MDB")));
    ctl.setRecordSource(QStringLiteral("Syain_MT"));
    QObject::connect(&ctl, &DBCtl::errorOccurred, [this](DBCtl::Step s, int n, const QString& d) {
        errors.push_back({s, n, d});
    });
    EXPECT_FALSE(ctl.refresh());
    EXPECT_FALSE(ctl.isOpen());
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].step, DBCtl::Step::Open);
    EXPECT_EQ(errors[0].number, 3024);
    EXPECT_FALSE(errors[0].description.isEmpty());
    EXPECT_FALSE(ctl.addNew());
    EXPECT_FALSE(ctl.moveTo(0));
}

TEST_F(DBCtlTest, ALockedFileRefusesTheStoreAndKeepsTheEditUntilItCanBeStored) {
    addEmployees(3);
    open();
    ctl.moveTo(1);
    auto other = db();
    other.beginTrans(); // holds the write lock
    name.setText(QStringLiteral("保留中"));
    EXPECT_FALSE(ctl.moveNext());
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].step, DBCtl::Step::Store);
    EXPECT_EQ(errors[0].number, 3260);
    EXPECT_EQ(ctl.currentRow(), 1);
    EXPECT_EQ(name.text(), QStringLiteral("保留中"));
    EXPECT_TRUE(name.dataChanged());
    other.rollback();

    EXPECT_TRUE(ctl.moveNext());
    EXPECT_EQ(ctl.currentRow(), 2);
    EXPECT_EQ(nameOf(2), "保留中");
    EXPECT_EQ(ctl.recordCount(), 3);
}

// The ledger grid screen on a real database file and on a server database: loading a month, picking
// sites, typing hours with the totals following, deleting lines, checking and saving the site
// column, deleting the month, copying the month before, and the questions before leaving or saving.
#include "app/frame/RoumuM.h"
#include "app/ledger/LedgerStore.h"
#include "app/ledger/RoumuEntrySub2.h"
#include "app/ledger/Texts.h"
#include "platform/widgets/ButtonArray.h"
#include "platform/widgets/CommandButton.h"
#include "platform/widgets/MessageRecorder.h"
#include "platform/widgets/NumericBox.h"
#include "platform/widgets/slipgrid/SlipGrid.h"

#include "LedgerTestSupport.h"

#include <QLabel>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace ledgertest;
using plat::jet::Currency;
using plat::text::DateTime;
using plat::widgets::indexedField;
using plat::widgets::MessageRecorder;
using plat::widgets::MsgResult;
using tamsel::RoumuEntrySub2;
using tamsel::ledger::LedgerLine;

class LedgerGridTest : public testsupport::EngineCase {
protected:
    void SetUp() override {
        EngineCase::SetUp();
        if (IsSkipped())
            return;
        ensureApp();
        home = freshHome();
        db.emplace(freshDatabase(home, GetParam()));
        syain = addEmployee(*db, "山田", 1250);
        for (const char* name : {"本社", "駅前", "港", "北", "南", "東", "西", "中央", "川", "山"})
            sites.push_back(addSite(*db, name));
    }
    void TearDown() override {
        if (screen)
            screen->close();
        screen.reset();
        tamsel::RoumuM().RoumuDb.reset();
    }
    void store(const DateTime& month, std::vector<std::vector<float>> hoursPerLine,
               int wage = 1250) {
        tamsel::ledger::MonthToSave m{month, syain, "山田", Currency::fromUnits(wage), {}};
        for (size_t i = 0; i < hoursPerLine.size(); ++i) {
            LedgerLine l;
            l.GenbaID = sites[i];
            l.GName = "保存時の名前";
            for (size_t d = 0; d < hoursPerLine[i].size(); ++d)
                l.hours[d] = hoursPerLine[i][d];
            m.lines.push_back(l);
        }
        tamsel::ledger::replaceMonth(*db, m);
    }
    void open(const DateTime& month = {2004, 4, 1}, int wage = 1250) {
        auto& key = tamsel::RoumuM().LedgerKey;
        key = {month, syain, QStringLiteral("山田"), Currency::fromUnits(wage)};
        if (!screen)
            screen = std::make_unique<RoumuEntrySub2>(lineEditBoxes(), &selection);
        screen->open();
        for (int i = 0; i < 100 && !screen->isShown(); ++i)
            QApplication::processEvents();
        ASSERT_TRUE(screen->isShown());
    }
    LineEditPickBox& box(int i) { return lineEdit(screen->GenbaID(i)); }
    plat::widgets::SlipGrid& grid() { return *screen->DGrid(); }
    void pick(int line, int siteIndex) {
        ASSERT_TRUE(box(line).pick(QString::number(sites[static_cast<size_t>(siteIndex)])));
    }
    void type(int line, int day, const char* hours) {
        grid().setFocus();
        grid().setCurrentCell(line, indexedField("D", day));
        QTest::keyClicks(&grid(), QString::fromUtf8(hours));
        QTest::keyClick(&grid(), Qt::Key_Return);
    }
    // Types into a day cell and leaves the entry open, as a clerk who goes on elsewhere.
    void typeOpen(int line, int day, const char* hours) {
        grid().setFocus();
        grid().setCurrentCell(line, indexedField("D", day));
        QTest::keyClicks(&grid(), QString::fromUtf8(hours));
    }
    void typeWage(const char* wage) {
        screen->TMony()->setFocus();
        screen->TMony()->selectAll();
        QTest::keyClicks(screen->TMony(), QString::fromUtf8(wage));
    }
    void press(int f) { screen->comFunc()->press(f); }
    double total(const char* prefix, int c) {
        return grid().total(indexedField(prefix, c)).toNumber();
    }
    tamsel::ledger::StoredMonth stored(const DateTime& month = {2004, 4, 1}) {
        return tamsel::ledger::readMonth(*db, month, syain);
    }
    // Another copy of the program, a child process on the same database, reads April and saves it
    // as one line of the first site with hours on its first day.
    void saveInAnotherCopy(float firstDay) {
        const pid_t other = ::fork();
        if (other == 0) {
            int rc = 1;
            try {
                plat::jet::Database db2 =
                    plat::jet::Database::open(testsupport::officeDatabase(home));
                tamsel::ledger::MonthToSave m{
                    {2004, 4, 1}, syain, "山田", Currency::fromUnits(1250), {}};
                LedgerLine l;
                l.GenbaID = sites[0];
                l.GName = "本社";
                l.hours[0] = firstDay;
                m.lines.push_back(l);
                const auto read = tamsel::ledger::readMonth(db2, m.month, syain).stamp;
                rc = tamsel::ledger::saveMonth(db2, m, {read, false}).outcome ==
                             tamsel::ledger::SaveOutcome::Saved
                         ? 0
                         : 2;
            } catch (...) {
            }
            ::_exit(rc);
        }
        ASSERT_GT(other, 0);
        int status = -1;
        ASSERT_EQ(::waitpid(other, &status, 0), other);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }

    std::filesystem::path home;
    std::optional<plat::jet::Database> db;
    std::int64_t syain = 0;
    std::vector<std::int64_t> sites;
    bool appMade = (ensureApp(), true);
    QWidget selection;
    std::unique_ptr<RoumuEntrySub2> screen;
    MessageRecorder messages{MsgResult::Yes};
};

// The cases that hold only for a database file.
class LedgerGridFileTest : public LedgerGridTest {};

TEST_P(LedgerGridTest, PickedSitesAndTypedHoursAreSavedAndReadBack) {
    open();
    EXPECT_FALSE(selection.isEnabled());
    EXPECT_EQ(screen->windowTitle(), QStringLiteral("2004年4月度"));
    EXPECT_FALSE(box(1).isEnabled());
    pick(0, 2);
    EXPECT_EQ(grid().displayText(0, "GName"), QStringLiteral("港"));
    EXPECT_TRUE(box(1).isEnabled());
    EXPECT_EQ(grid().currentField(), QStringLiteral("D0"));
    type(0, 0, "7.5");
    QTest::keyClicks(&grid(), "8\r");
    pick(1, 0);
    type(1, 29, "3");
    EXPECT_EQ(grid().number(0, "D31"), 15.5);
    EXPECT_EQ(total("TTime", 31), 18.5);
    EXPECT_EQ(total("Total", 0), 9375);
    EXPECT_EQ(total("Total", 31), 23125);
    EXPECT_TRUE(screen->isDirty());

    press(RoumuEntrySub2::Save);
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_FALSE(screen->isDirty());
    screen->close();
    EXPECT_FALSE(screen->isVisible());
    EXPECT_TRUE(selection.isEnabled());

    open();
    EXPECT_EQ(box(0).text(), QString::number(sites[2]));
    EXPECT_EQ(grid().number(0, "D1"), 8.0);
    EXPECT_EQ(grid().number(1, "D29"), 3.0);
    EXPECT_TRUE(box(2).isEnabled());
    EXPECT_FALSE(box(3).isEnabled());
    EXPECT_FALSE(grid().isFieldEnabled(2, "D0"));
    EXPECT_FALSE(screen->isDirty());
}

TEST_P(LedgerGridTest, FebruaryHeadingsRunIntoMarchAndThoseDaysAreClosed) {
    store({2005, 2, 1}, {{8}});
    open({2005, 2, 1});
    EXPECT_EQ(grid().headingText("lD27"), QStringLiteral("28日"));
    EXPECT_EQ(grid().headingText("lD28"), QStringLiteral("1日"));
    EXPECT_EQ(grid().headingText("lD30"), QStringLiteral("3日"));
    EXPECT_EQ(grid().headingText("a28"), QStringLiteral("(火)"));
    EXPECT_TRUE(grid().isFieldEnabled(0, "D27"));
    EXPECT_FALSE(grid().isFieldEnabled(0, "D28"));
    EXPECT_FALSE(grid().isFieldEnabled(0, "D30"));
    for (int i = 0; i < 31; ++i) // Sundays: 6, 13, 20 and 27 February
        EXPECT_EQ(grid().headingColor(indexedField("lD", i)) == QColor(255, 0, 0), i % 7 == 5) << i;
}

TEST_P(LedgerGridTest, MonthMoneyComesFromTheMonthsHoursNotFromRoundedDays) {
    open({2004, 4, 1}, 999);
    pick(0, 0);
    type(0, 0, "0.5");
    type(0, 1, "0.5");
    EXPECT_EQ(total("Total", 0), 499);
    EXPECT_EQ(total("Total", 31), 999);
    // Hours above 24 are refused; an emptied cell holds 0.
    type(0, 2, "25");
    EXPECT_EQ(grid().value(0, "D2").isEmpty(), true);
    grid().setCurrentCell(0, "D0");
    QTest::keyClick(&grid(), Qt::Key_Delete);
    EXPECT_EQ(grid().value(0, "D0").toNumber(), 0.0);
    EXPECT_TRUE(grid().value(0, "D0").isNumber());
    // A new wage counts once the clerk leaves the wage box.
    screen->TMony()->setFocus();
    screen->TMony()->setValue(2000);
    grid().setFocus();
    EXPECT_EQ(total("Total", 31), 1000);
}

TEST_P(LedgerGridTest, NineLinesLeaveNoInputLineAndDeletingMovesTheLinesUp) {
    store({2004, 4, 1}, {{1}, {2}, {3}, {4}, {5}, {6}, {7}, {8}, {9}});
    open();
    for (int i = 0; i < 9; ++i)
        EXPECT_TRUE(box(i).isEnabled());
    EXPECT_EQ(total("TTime", 0), 45);
    grid().setCurrentCell(2, "D0");
    press(RoumuEntrySub2::DeleteLine);
    EXPECT_EQ(box(2).text(), QString::number(sites[3]));
    EXPECT_EQ(grid().number(2, "D0"), 4.0);
    EXPECT_EQ(grid().number(7, "D0"), 9.0);
    EXPECT_TRUE(box(8).text().isEmpty());
    EXPECT_TRUE(box(8).isEnabled());
    EXPECT_EQ(total("TTime", 0), 42);
    grid().setCurrentCell(7, "D0");
    press(RoumuEntrySub2::DeleteLine);
    EXPECT_EQ(total("TTime", 0), 33);
    EXPECT_FALSE(box(8).isEnabled());
    EXPECT_TRUE(screen->MSG()->text().isEmpty());

    press(RoumuEntrySub2::Save);
    EXPECT_EQ(stored().lines.size(), 7u);
}

TEST_P(LedgerGridTest, DeletingTheOnlyLineEmptiesTheMonthOnSave) {
    store({2004, 4, 1}, {{8, 8}});
    open();
    grid().setCurrentCell(0, "D1");
    press(RoumuEntrySub2::DeleteLine);
    EXPECT_TRUE(box(0).text().isEmpty());
    EXPECT_TRUE(box(0).isEnabled());
    EXPECT_FALSE(box(1).isEnabled());
    EXPECT_EQ(total("TTime", 31), 0);
    EXPECT_EQ(total("Total", 1), 0);
    ASSERT_TRUE(screen->isDirty());
    press(RoumuEntrySub2::Save);
    EXPECT_TRUE(stored().lines.empty());
}

TEST_P(LedgerGridTest, TakingASiteRefusesDuplicatesUnknownSitesAndWords) {
    open();
    pick(0, 1);
    pick(1, 1);
    EXPECT_EQ(messages.texts(), std::vector<QString>{QStringLiteral("現場が重複しています。")});
    EXPECT_TRUE(box(1).text().isEmpty());
    EXPECT_TRUE(box(1).hasFocus() || !QApplication::focusWidget());

    messages.clear();
    box(1).setText(QStringLiteral("0") + QString::number(sites[1]));
    QTest::keyClick(&box(1), Qt::Key_Return);
    EXPECT_EQ(messages.texts().size(), 1u);
    EXPECT_EQ(box(1).text(), QStringLiteral("0") + QString::number(sites[1]));

    messages.clear();
    box(1).setText(QStringLiteral("999"));
    QTest::keyClick(&box(1), Qt::Key_Return);
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_FALSE(grid().isFieldEnabled(1, "D0"));
    box(1).setText(QStringLiteral("二"));
    QTest::keyClick(&box(1), Qt::Key_Return);
    EXPECT_EQ(messages.shown().at(0).title, QStringLiteral("現場エラー"));
}

TEST_P(LedgerGridTest, SaveChecksTheSiteColumnBeforeWritingAnything) {
    store({2004, 4, 1}, {{1}, {1}, {1}, {1}, {1}});
    open();
    box(1).setText(QString());
    press(RoumuEntrySub2::Save);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, QStringLiteral("現場IDが抜けています。(2行目)"));
    EXPECT_EQ(QApplication::focusWidget(), &box(1));

    messages.clear();
    box(1).setText(QString::number(sites[4]));
    press(RoumuEntrySub2::Save);
    EXPECT_EQ(messages.texts(), std::vector<QString>{QStringLiteral("現場が重複しています。")});
    EXPECT_EQ(QApplication::focusWidget(), &box(4));

    messages.clear();
    db->execute("DELETE FROM GENBA_MT WHERE GENBAID=" + std::to_string(sites[9]));
    box(1).setText(QString::number(sites[9]));
    press(RoumuEntrySub2::Save);
    EXPECT_EQ(messages.texts(), std::vector<QString>{QStringLiteral(
                                    "現場マスタに登録されていない現場です。(2行目)")});
    EXPECT_EQ(stored().lines.at(1).GenbaID, sites[1]);
}

// On a file only: the failed write is forced by a trigger in the file's own SQL.
TEST_P(LedgerGridFileTest, SavingStoresCurrentSiteNamesAndRollsBackAFailedWrite) {
    store({2004, 4, 1}, {{8}, {4}});
    db->execute(
        "CREATE TRIGGER no_delete BEFORE DELETE ON KYUYO_F BEGIN SELECT RAISE(ABORT, 'x'); END");
    open();
    press(RoumuEntrySub2::Save); // nothing changed: no statement runs
    EXPECT_TRUE(messages.shown().empty());

    db->execute("DROP TRIGGER no_delete");
    db->execute("UPDATE GENBA_MT SET GNAME='新しい名前' WHERE GENBAID=" + std::to_string(sites[1]));
    db->execute("CREATE TRIGGER bad_line BEFORE INSERT ON KYUYO_F WHEN NEW.RowNo = 2 "
                "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    type(0, 3, "2");
    press(RoumuEntrySub2::Save);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].title, QStringLiteral("エラー保存処理"));
    EXPECT_TRUE(messages.shown()[0].text.startsWith(QStringLiteral("3000: ")));
    EXPECT_TRUE(screen->isDirty());
    EXPECT_EQ(stored().lines.size(), 2u);
    EXPECT_EQ(stored().lines[0].hours[3], 0.0f);

    db->execute("DROP TRIGGER bad_line");
    press(RoumuEntrySub2::Save);
    EXPECT_EQ(stored().lines[1].GName, "新しい名前");
    EXPECT_EQ(stored().lines[0].hours[3], 2.0f);
    EXPECT_TRUE(screen->MSG()->text().isEmpty());
}

TEST_P(LedgerGridTest, DayAboveTwentyFourHoursIsRedAndAskedOnceBeforeSaving) {
    open();
    pick(0, 0);
    type(0, 2, "16");
    pick(1, 1);
    type(1, 2, "9");
    EXPECT_EQ(grid().headingColor("TTime2"), QColor(255, 0, 0));
    EXPECT_FALSE(grid().headingColor("TTime1").isValid());
    messages.queueAnswers({MsgResult::No});
    press(RoumuEntrySub2::Save);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].defaultButton, MsgResult::No);
    EXPECT_TRUE(messages.shown()[0].text.contains(QStringLiteral("(3日)")));
    EXPECT_TRUE(stored().lines.empty());
    press(RoumuEntrySub2::Save);
    EXPECT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(stored().lines.size(), 2u);
}

// April 2004 begins on a Thursday; its first week began in March. Three 8-hour days at the end
// of March and three at the start of April make 48 hours in that week: 8 of them overtime, on
// Saturday the 3rd. Sunday is the legal holiday; 24-hour days turn the month red past 45 hours.
TEST_P(LedgerGridTest, OvertimeLineCountsUnsavedHoursAndTheWeekBegunLastMonth) {
    store({2004, 3, 1}, {{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                          0, 0, 0, 0, 8, 8, 8}});
    open();
    const QLabel& line = *screen->overtimeLine();
    const auto shows = [&](const char* overtime, const char* holiday) {
        return line.text().contains(QStringLiteral("時間外労働 %1 時間").arg(overtime)) &&
               line.text().contains(QStringLiteral("法定休日労働 %1 時間").arg(holiday));
    };
    EXPECT_TRUE(shows("0.0", "0.0")) << line.text().toStdString();
    pick(0, 0);
    for (int day : {0, 1, 2})
        type(0, day, "8");
    type(0, 3, "5");
    EXPECT_TRUE(shows("8.0", "5.0")) << line.text().toStdString();
    EXPECT_NE(line.palette().color(QPalette::WindowText), QColor(255, 0, 0));
    for (int day : {5, 6, 7, 8})
        type(0, day, "20");
    EXPECT_TRUE(shows("56.0", "5.0")) << line.text().toStdString();
    EXPECT_EQ(line.palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_TRUE(stored().lines.empty()); // nothing of it was saved
}

TEST_P(LedgerGridTest, DeleteMonthNeedsASiteInTheFirstBoxAndEmptiesTheScreen) {
    store({2004, 4, 1}, {{8}, {4}});
    open();
    box(0).setText(QString());
    press(RoumuEntrySub2::DeleteMonth);
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(stored().lines.size(), 2u);

    box(0).setText(QString::number(sites[0]));
    press(RoumuEntrySub2::DeleteMonth);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].title, QStringLiteral("削除"));
    EXPECT_TRUE(stored().lines.empty());
    EXPECT_TRUE(box(1).text().isEmpty());
    EXPECT_FALSE(box(1).isEnabled());
    EXPECT_TRUE(grid().areaDisplayText("TTime0").isEmpty());
    EXPECT_FALSE(screen->isDirty());
}

TEST_P(LedgerGridTest, CopyPreviousMonthFillsSitesOnlyOnAnEmptyMonth) {
    store({2004, 3, 1}, {{8}, {4}, {2}});
    open();
    ASSERT_TRUE(screen->comFunc()->button(RoumuEntrySub2::CopyPrevious)->isEnabled());
    press(RoumuEntrySub2::CopyPrevious);
    EXPECT_EQ(box(2).text(), QString::number(sites[2]));
    EXPECT_EQ(grid().displayText(2, "GName"), QStringLiteral("港"));
    EXPECT_TRUE(grid().value(0, "D0").isEmpty());
    EXPECT_TRUE(box(3).isEnabled());
    EXPECT_FALSE(box(4).isEnabled());
    EXPECT_FALSE(screen->comFunc()->button(RoumuEntrySub2::CopyPrevious)->isEnabled());
    press(RoumuEntrySub2::Save);
    EXPECT_EQ(stored().lines.size(), 3u);

    screen->close();
    open({2004, 3, 1});
    EXPECT_FALSE(screen->comFunc()->button(RoumuEntrySub2::CopyPrevious)->isEnabled());
}

// On a file only: the other program's open transaction holds the file's single write lock; a
// server database lets both write.
TEST_P(LedgerGridFileTest, SaveWhileAnotherProgramWritesFailsClearlyAndKeepsTheOtherMonth) {
    store({2004, 4, 1}, {{8}});
    open();
    type(0, 0, "4");
    plat::jet::Database other = plat::jet::Database::open((home / "Roumu.MDB").string());
    other.beginTrans();
    press(RoumuEntrySub2::Save);
    other.rollback();
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_TRUE(messages.shown()[0].text.startsWith(QStringLiteral("3260: ")));
    EXPECT_TRUE(messages.shown()[0].text.contains(QStringLiteral("保存されていません")));
    EXPECT_TRUE(screen->isDirty());
    press(RoumuEntrySub2::Save);
    EXPECT_EQ(stored().lines.at(0).hours[0], 4.0f);
}

TEST_P(LedgerGridTest, AWholeMonthIsTypedWithTheKeyboardAlone) {
    const DateTime may{2004, 5, 1};
    open(may);
    int keys = 0;
    auto typeKeys = [&](const QString& text) {
        for (QChar c : text) {
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
            ++keys;
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        ++keys;
    };
    for (int line = 0; line < 9; ++line) {
        ASSERT_EQ(QApplication::focusWidget(), &box(line)) << line;
        typeKeys(QString::number(sites[static_cast<size_t>(line)]));
        for (int day = 0; day < 31; ++day)
            typeKeys(QStringLiteral("2"));
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    ++keys;
    RecordProperty("key_presses", keys);
    EXPECT_TRUE(messages.shown().empty());
    const auto month = stored(may);
    ASSERT_EQ(month.lines.size(), 9u);
    EXPECT_EQ(month.lines[8].GenbaID, sites[8]);
    EXPECT_EQ(month.lines[8].hours[30], 2.0f);
    EXPECT_EQ(total("TTime", 31), 9 * 31 * 2);
}

TEST_P(LedgerGridTest, UnsavedChangesAreAskedAboutBeforeClosing) {
    open();
    pick(0, 0);
    messages.queueAnswers({MsgResult::No});
    screen->close();
    EXPECT_TRUE(screen->isVisible());
    EXPECT_EQ(messages.shown().at(0).title, QStringLiteral("労務台帳入力"));
    screen->close();
    EXPECT_FALSE(screen->isVisible());
    EXPECT_TRUE(selection.isEnabled());
}

const QString kHoursRefused = QString::fromUtf8(tamsel::ledger::texts::kHoursRefused);

TEST_P(LedgerGridTest, TheEntryBeingTypedIsSavedAndAskedAboutBeforeClosing) {
    store({2004, 4, 1}, {{8}});
    open();
    typeOpen(0, 1, "6");
    messages.queueAnswers({MsgResult::No});
    screen->close();
    EXPECT_TRUE(screen->isVisible());
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text,
              QStringLiteral("データが変更されていますが保存しないで終了しますか？"));

    typeOpen(0, 2, "5");
    QTest::keyClick(&grid(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(screen->isDirty());
    EXPECT_EQ(stored().lines.at(0).hours[1], 6.0f);
    EXPECT_EQ(stored().lines.at(0).hours[2], 5.0f);

    typeWage("1300");
    press(RoumuEntrySub2::Save);
    EXPECT_EQ(stored().wage, Currency::fromUnits(1300));
    EXPECT_EQ(total("Total", 0), 8 * 1300);

    // A refused entry stops the save with the focus on it.
    typeOpen(0, 3, "25");
    press(RoumuEntrySub2::Save);
    EXPECT_EQ(screen->MSG()->text(), kHoursRefused);
    EXPECT_EQ(QApplication::focusWidget(), &grid());
    EXPECT_EQ(stored().lines.at(0).hours[3], 0.0f);
    EXPECT_EQ(messages.shown().size(), 1u);
}

TEST_P(LedgerGridTest, RefusedEntriesSayWhyAndTheMoneyIsThatOfTheShownHours) {
    open();
    pick(0, 0);
    type(0, 0, "7.5");
    for (const char* bad : {"25", "-1", "7.25", "abc"}) {
        type(0, 0, bad);
        EXPECT_EQ(grid().number(0, "D0"), 7.5) << bad;
        EXPECT_EQ(screen->MSG()->text(), kHoursRefused) << bad;
        type(0, 1, "1");
        EXPECT_TRUE(screen->MSG()->text().isEmpty()) << bad;
    }
    // The refused text stays in the open entry, with the focus, to be corrected there.
    type(0, 0, "7.25");
    EXPECT_TRUE(grid().isEditing());
    EXPECT_EQ(grid().editText(), QStringLiteral("7.25"));
    EXPECT_EQ(QApplication::focusWidget(), &grid());
    QTest::keyClick(&grid(), Qt::Key_Backspace);
    QTest::keyClick(&grid(), Qt::Key_Return);
    EXPECT_EQ(grid().displayText(0, "D0"), QStringLiteral("7.2"));
    EXPECT_TRUE(screen->MSG()->text().isEmpty());
    type(0, 0, "7.3");
    EXPECT_EQ(grid().displayText(0, "D0"), QStringLiteral("7.3"));
    EXPECT_EQ(total("Total", 0), 9125);

    typeWage("-5");
    press(RoumuEntrySub2::Save);
    EXPECT_EQ(screen->MSG()->text(), QString::fromUtf8(tamsel::ledger::texts::kWageRefused));
    EXPECT_EQ(QApplication::focusWidget(), screen->TMony());
    EXPECT_EQ(screen->TMony()->value(), 1250.0);
    EXPECT_TRUE(stored().lines.empty());
    EXPECT_TRUE(messages.shown().empty());
}

TEST_P(LedgerGridTest, CopyingTheMonthBeforeIsNotOfferedOnAMonthWithLines) {
    store({2004, 3, 1}, {{8}});
    store({2004, 4, 1}, {{8}, {4}});
    open();
    box(0).setText(QString());
    EXPECT_FALSE(screen->comFunc()->button(RoumuEntrySub2::CopyPrevious)->isEnabled());
    press(RoumuEntrySub2::CopyPrevious);
    EXPECT_EQ(grid().number(1, "D0"), 4.0);
}

TEST_P(LedgerGridTest, AMonthSavedByAnotherCopyIsOverwrittenOnlyWhenTheClerkSaysSo) {
    store({2004, 4, 1}, {{8}});
    open();
    ASSERT_NO_FATAL_FAILURE(saveInAnotherCopy(5));

    type(0, 1, "4");
    messages.queueAnswers({MsgResult::No});
    press(RoumuEntrySub2::Save);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text,
              QStringLiteral("この月のデータは他の画面で変更されています。上書きしますか？"));
    EXPECT_EQ(messages.shown()[0].defaultButton, MsgResult::No);
    EXPECT_EQ(stored().lines.at(0).hours[0], 5.0f);
    EXPECT_TRUE(screen->isDirty());
    EXPECT_EQ(grid().number(0, "D1"), 4.0);

    press(RoumuEntrySub2::Save); // answered Yes
    EXPECT_EQ(stored().lines.at(0).hours[0], 8.0f);
    EXPECT_EQ(stored().lines.at(0).hours[1], 4.0f);
    type(0, 2, "2");
    press(RoumuEntrySub2::Save); // its own save is no change by another copy
    EXPECT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(stored().lines.at(0).hours[2], 2.0f);
}

TEST_P(LedgerGridTest, AMonthSavedByAnotherCopyIsDeletedOnlyWhenTheClerkSaysSo) {
    store({2004, 4, 1}, {{8}});
    open();
    ASSERT_NO_FATAL_FAILURE(saveInAnotherCopy(5));

    messages.queueAnswers({MsgResult::Yes, MsgResult::No});
    press(RoumuEntrySub2::DeleteMonth);
    ASSERT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(messages.shown()[1].text,
              QStringLiteral("この月のデータは他の画面で変更されています。削除しますか？"));
    EXPECT_EQ(messages.shown()[1].defaultButton, MsgResult::No);
    ASSERT_EQ(stored().lines.size(), 1u);
    EXPECT_EQ(stored().lines[0].hours[0], 5.0f);
    EXPECT_EQ(grid().number(0, "D0"), 8.0);

    press(RoumuEntrySub2::DeleteMonth); // answered Yes twice
    EXPECT_EQ(messages.shown().size(), 4u);
    EXPECT_TRUE(stored().lines.empty());
    EXPECT_TRUE(grid().displayText(0, "D0").isEmpty());
}

TEST_P(LedgerGridTest, DeletingTheMonthClearsTheOvertimeLineAndAReopenedGridStartsAtTheTop) {
    store({2004, 4, 1}, {{12, 12, 12, 12, 12}, {1}});
    open();
    const QString none =
        QString::fromUtf8(tamsel::ledger::texts::kOvertimeLine).arg("0.0", "0.0");
    EXPECT_NE(screen->overtimeLine()->text(), none);
    grid().setCurrentCell(1, QStringLiteral("D3"));
    press(RoumuEntrySub2::DeleteMonth);
    EXPECT_TRUE(stored().lines.empty());
    EXPECT_EQ(screen->overtimeLine()->text(), none);
    screen->close();
    open();
    EXPECT_EQ(grid().currentRow(), 0);
}

// Whole on a 1,280-pixel screen; on the smaller test screen inside it, scrolling sideways.
TEST_P(LedgerGridTest, TheWindowFitsTheScreenAndTheGridScrollsWhereItMust) {
    store({2004, 4, 1}, {{8}});
    open();
    EXPECT_LE(screen->sizeHint().width(), 1280 - 8);
    const QRect free = screen->screen()->availableGeometry();
    ASSERT_LT(free.width(), screen->sizeHint().width());
    QApplication::processEvents();
    EXPECT_TRUE(free.contains(screen->geometry()));
    EXPECT_GT(grid().horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(grid().verticalScrollBar()->maximum(), 0);
    QWidget* close = screen->comFunc()->button(RoumuEntrySub2::Close);
    EXPECT_TRUE(screen->rect().contains(QRect(close->mapTo(screen.get(), QPoint(0, 0)),
                                              close->size())));
}

TEST_ENGINE_SUITE(LedgerGridTest);
INSTANTIATE_TEST_SUITE_P(Engines, LedgerGridFileTest, testing::Values(testsupport::Engine::File),
                         testsupport::engineName);

} // namespace

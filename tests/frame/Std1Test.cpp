// Common routines: SQL date text, width cutting, window placement, employee and site look-ups.
#include "app/frame/RoumuM.h"
#include "app/frame/Std_1.h"
#include "platform/jet/Schema.h"
#include "platform/widgets/MessageRecorder.h"
#include "tests/support/Application.h"
#include "tests/support/Scratch.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <gtest/gtest.h>

using namespace tamsel;
using plat::widgets::MessageRecorder;
using plat::widgets::MsgIcon;

TEST(FormatSqlDateTest, AlwaysWritesFourDigitYearsAndTwoDigitMonthsAndDays) {
    EXPECT_EQ(FormatSqlDate({2001, 12, 1}), QStringLiteral("2001/12/01"));
    EXPECT_EQ(FormatSqlDate({2004, 4, 1}), QStringLiteral("2004/04/01"));
    EXPECT_EQ(FormatSqlDate({999, 1, 9, 23, 59, 0}), QStringLiteral("0999/01/09"));
}

TEST(LeftByWidthTest, DoubleByteCharactersCountTwo) {
    struct Case {
        const char* text;
        int max;
        const char* leading;
        int taken;
    };
    const Case cases[] = {
        {"ab山田太", 5, "ab山", 3}, // the next one would make 6
        {"ab山田太", 6, "ab山田", 4},
        {"abc", 10, "abc", 3},
        {"ｱｲｳｴｵ", 3, "ｱｲｳ", 3}, // half-width katakana are single-byte
        {"山", 1, "", 0},
        {"abc", 0, "", 0},
        {"", 5, "", 0},
        {"A①B", 3, "A①", 2}, // a circled digit is a double-byte character of the code page
    };
    for (const Case& c : cases) {
        QString leading = QStringLiteral("old");
        EXPECT_EQ(LeftByWidth(QString::fromUtf8(c.text), static_cast<std::int16_t>(c.max), leading),
                  c.taken)
            << c.text << " " << c.max;
        EXPECT_EQ(leading, QString::fromUtf8(c.leading)) << c.text << " " << c.max;
    }
}

TEST(SplitByWidthTest, NullGivesTwoEmptyTextsAndLongTextSplitsAtWidthThirty) {
    QString first = QStringLiteral("x");
    QString rest = QStringLiteral("y");
    SplitByWidth(QVariant(), first, rest);
    EXPECT_TRUE(first.isEmpty());
    EXPECT_TRUE(rest.isEmpty());

    // 14 double-byte characters (28) and then "ab": "a" fits (29), "b" too (30).
    SplitByWidth(QStringLiteral("東京都千代田区丸の内一丁目五ab三番"), first, rest);
    EXPECT_EQ(first, QStringLiteral("東京都千代田区丸の内一丁目五ab"));
    EXPECT_EQ(rest, QStringLiteral("三番"));
    // "a" and 14 double-byte characters make 29: the 15th would straddle the limit.
    SplitByWidth(QStringLiteral("a東京都千代田区丸の内一丁目五六"), first, rest);
    EXPECT_EQ(first, QStringLiteral("a東京都千代田区丸の内一丁目五"));
    EXPECT_EQ(rest, QStringLiteral("六"));

    SplitByWidth(QVariant(12345), first, rest);
    EXPECT_EQ(first, QStringLiteral("12345"));
    EXPECT_TRUE(rest.isEmpty());
}

TEST(CenterPositionTest, CentresAndRaisesByOneThousandTwips) {
    struct Case {
        double sw, sh, ww, wh, left, top;
    };
    const Case cases[] = {
        {15360, 11520, 6000, 4000, 4680, 2760},
        {15360, 11520, 15360, 11520, 0, -1000},
        {15360, 11520, 6000, 14000, 4680, -2240}, // taller than the screen
        {100.00005, 0, 0, 0, 50.0000, -1000},     // rounded to four decimals
    };
    for (const Case& c : cases) {
        const TwipsPoint p = centerPositionTwips(c.sw, c.sh, c.ww, c.wh);
        EXPECT_DOUBLE_EQ(p.left, c.left);
        EXPECT_DOUBLE_EQ(p.top, c.top);
    }
}

TEST(CenterPositionTest, AWindowTallerThanTheScreenGetsANegativeTopButStaysReachable) {
    testsupport::qtApp();
    QWidget w;
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    w.resize(300, screen.height() + 400);
    double left = 0;
    double top = 0;
    CenterPosition(w, left, top);
    const double dpiY = QGuiApplication::primaryScreen()->logicalDotsPerInchY();
    EXPECT_LT(top, 0);
    EXPECT_NEAR(top, (screen.height() - (screen.height() + 400)) / 2.0 * 1440 / dpiY - 1000, 1);
    moveToTwips(w, left, top);
    EXPECT_GE(w.y(), QGuiApplication::primaryScreen()->availableGeometry().top());
    EXPECT_NEAR(w.x(), (screen.width() - 300) / 2, 1);
}

class LookupTest : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::qtApp();
        const std::string path = dir.file("Roumu.MDB").toStdString();
        plat::jet::createSchema(path, {2004, 4, 1});
        RoumuM().RoumuDb = plat::jet::Database::open(path);
        RoumuM().RoumuDb->execute("INSERT INTO SYAIN_MT (SNAME,TMONY) VALUES ('山田 太郎',1250.5)");
        syainId = RoumuM().RoumuDb->lastInsertId();
        RoumuM().RoumuDb->execute("INSERT INTO GENBA_MT (GNAME) VALUES ('中央ビル')");
        genbaId = RoumuM().RoumuDb->lastInsertId();
    }
    void TearDown() override { RoumuM().RoumuDb.reset(); }

    testsupport::TempFolder dir;
    std::int64_t syainId = 0;
    std::int64_t genbaId = 0;
};

TEST_F(LookupTest, AnExistingEmployeeFillsNameAndWage) {
    MessageRecorder rec;
    QString name;
    plat::jet::Currency wage;
    ASSERT_TRUE(GetSyainInfo(syainId, name, wage));
    EXPECT_EQ(name, QStringLiteral("山田 太郎"));
    EXPECT_EQ(wage, plat::jet::Currency{12505000});
    EXPECT_TRUE(rec.shown().empty());
}

TEST_F(LookupTest, AMissingEmployeeOrSiteLeavesTheOutputsUntouched) {
    MessageRecorder rec;
    QString name = QStringLiteral("");
    plat::jet::Currency wage{0};
    EXPECT_TRUE(GetSyainInfo(syainId + 100, name, wage));
    EXPECT_EQ(name, QString());
    EXPECT_EQ(wage, plat::jet::Currency{0});

    QString site = QStringLiteral("前の名前");
    EXPECT_TRUE(GetGenbaName(genbaId + 100, site));
    EXPECT_EQ(site, QStringLiteral("前の名前"));
    EXPECT_TRUE(GetGenbaName(genbaId, site));
    EXPECT_EQ(site, QStringLiteral("中央ビル"));
    EXPECT_TRUE(rec.shown().empty());
}

TEST_F(LookupTest, ADatabaseErrorIsShownWithTheStepsTitleAndGivesFalse) {
    MessageRecorder rec;
    RoumuM().RoumuDb->execute("DROP TABLE SYAIN_MT");
    QString name = QStringLiteral("keep");
    plat::jet::Currency wage{7};
    EXPECT_FALSE(GetSyainInfo(syainId, name, wage));
    EXPECT_EQ(name, QStringLiteral("keep"));
    EXPECT_EQ(wage, plat::jet::Currency{7});

    RoumuM().RoumuDb.reset();
    QString site = QStringLiteral("keep");
    EXPECT_FALSE(GetGenbaName(genbaId, site));
    EXPECT_EQ(site, QStringLiteral("keep"));

    ASSERT_EQ(rec.shown().size(), 2u);
    EXPECT_EQ(rec.shown()[0].title, QStringLiteral("社員名取得"));
    EXPECT_EQ(rec.shown()[0].icon, MsgIcon::Error);
    EXPECT_FALSE(rec.shown()[0].text.isEmpty());
    EXPECT_EQ(rec.shown()[1].title, QStringLiteral("現場名取得"));
    EXPECT_EQ(rec.shown()[1].icon, MsgIcon::Error);
}

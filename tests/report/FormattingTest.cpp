// Field texts from values and formats, page number texts, font names and paper sizes.
#include "ReportTestSupport.h"

#include "platform/report/FieldText.h"
#include "platform/report/FontMap.h"
#include "platform/report/PageSetup.h"
#include "platform/report/ReportError.h"

#include <QApplication>
#include <gtest/gtest.h>

using namespace reporttest;

TEST(FieldText, ValuesShowThroughTheirDisplayFormats) {
    using plat::text::DateTime;
    struct Case {
        Value value;
        const char* format;
        const char* expected;
    };
    const Case cases[] = {
        {Value::null(), "#,##0.0", ""},
        {num(7.25), "#,##0.0", "7.3"},
        {num(1234567), "#,##0", "1,234,567"},
        {num(150.5), "#,##0.00", "150.50"},
        {num(7.5), "", "7.5"},
        {num(0.1f), "", "0.100000001490116"}, // general form shows the stored single as is
        {Value::currency(12500000), "#,##0", "1,250"},
        {Value::currency(2006165000), "#,##0", "200,617"},
        {Value::currency(12345), "", "1.2345"},
        {Value::currency(12500000), "", "1250"},
        {month(2004, 4), "ggge年mm月度　現場別労務費一覧表", "平成16年04月度　現場別労務費一覧表"},
        {month(2019, 5), "ggge", "令和1"},
        {month(2004, 3), "m", "3"},
        {month(2004, 3), "", "2004/03/01"},
        {Value::date(DateTime{2004, 3, 1, 9, 5, 0}), "", "2004/03/01 09:05:00"},
        {txt("山田　太郎"), "", "山田　太郎"},
        {txt("12.25"), "#,##0.0", "12.3"}, // numeric text formats as a number
        {txt("2004-02-01 00:00:00"), "ggge年", "平成16年"},
        {txt("abc"), "#,##0", "abc"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(displayText(c.value, c.format), c.expected) << c.format << " -> " << c.expected;
}

TEST(FieldText, PageFieldsShowNumberCountAndComposite) {
    EXPECT_EQ(pageFieldText(PageField::PageNumber, "", 3, 12), "3");
    EXPECT_EQ(pageFieldText(PageField::PageCount, "#,##0", 3, 1200), "1,200");
    EXPECT_EQ(pageFieldText(PageField::PageOfPages, "%1／%2ページ", 1, 3), "1／3ページ");
    EXPECT_EQ(pageFieldText(PageField::PageOfPages, "", 2, 3), "2／3");
    EXPECT_EQ(pageFieldText(PageField::PageOfPages, "%1-%1/%2", 10, 11), "10-10/11");
}

TEST(FieldText, ExactSumRoundsEachValueToTenThousandths) {
    ExactSum sum;
    for (int i = 0; i < 3; ++i)
        sum.add(num(0.1));
    sum.add(Value::null());
    sum.add(Value::currency(5)); // 0.0005
    sum.add(num(-0.00005));      // rounds away from zero to -0.0001
    sum.add(txt("2.5"));         // numeric text
    EXPECT_EQ(sum.scaled(), 3000 + 5 - 1 + 25000);
}

TEST(FontMap, LayoutFontNamesResolveToInstalledJapaneseFonts) {
    ensureApp();
    const std::pair<const char*, const char*> cases[] = {
        {"ＭＳ Ｐ明朝", "IPAPMincho"},
        {"ＭＳ 明朝", "IPAMincho"},
        {"ＭＳ Ｐゴシック", "IPAPGothic"},
        {"ＭＳ ゴシック", "IPAGothic"},
        {"MS PMincho", "IPAPMincho"},
        {"ms gothic", "IPAGothic"},
        {"IPAGothic", "IPAGothic"},
        {"NoSuchFontAnywhere", "IPAPMincho"},
        {"", "IPAPMincho"},
    };
    for (auto [name, family] : cases)
        EXPECT_EQ(resolveFontFamily(QString::fromUtf8(name)).toStdString(), family) << name;
}

TEST(PageSetupTest, PaperSizesInTwipsFollowOrientation) {
    PageSetup setup;
    setup.paperSize = paper::kA4;
    setup.orientation = orientation::kPortrait;
    EXPECT_EQ(paperTwips(setup).width, 11906);
    EXPECT_EQ(paperTwips(setup).height, 16838);
    setup.orientation = orientation::kLandscape;
    EXPECT_EQ(paperTwips(setup).width, 16838);
    EXPECT_EQ(paperTwips(setup).height, 11906);
    centreHorizontally(setup, 15300);
    EXPECT_EQ(setup.leftMargin, 769);
    EXPECT_EQ(printableWidth(setup), 15300);
    setup.orientation = orientation::kPortrait;
    centreHorizontally(setup, 11280);
    EXPECT_EQ(setup.leftMargin, 313);
    EXPECT_EQ(setup.rightMargin, 313);
    centreHorizontally(setup, 20000); // wider than the paper: no negative margins
    EXPECT_EQ(setup.leftMargin, 0);
    setup.paperSize = 77;
    EXPECT_THROW(paperTwips(setup), ReportError);
}

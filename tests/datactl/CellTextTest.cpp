// Cell texts of the bound grid for each kind of value and format.
#include "platform/widgets/datactl/CellText.h"

#include <gtest/gtest.h>

using plat::jet::Currency;
using plat::jet::Value;
using plat::widgets::cellText;

TEST(CellText, EachKindOfValueThroughItsFormat) {
    struct Case {
        Value value;
        const char* format;
        const char* expected;
    };
    const Case cases[] = {
        {Value(), "#,##0", ""},
        {Value(), "", ""},
        {Value(std::int64_t{12345}), "", "12345"},
        {Value(std::int64_t{12345}), "#,##0", "12,345"},
        {Value(Currency::fromUnits(1500)), "#,##0", "1,500"},
        {Value(Currency{12345678}), "#,##0", "1,235"},
        {Value(Currency{12345678}), "", "1234.5678"},
        {Value(Currency::fromUnits(0)), "#,##0", "0"},
        {Value(2.5), "0.0", "2.5"},
        {Value(plat::text::DateTime{2005, 2, 3, 9, 7, 44}), "yy/mm/dd hh:nn", "05/02/03 09:07"},
        {Value(plat::text::DateTime{2005, 2, 3, 9, 7, 44}), "", "2005/02/03 09:07:44"},
        {Value("山田 '太郎'"), "", "山田 '太郎'"},
        {Value(""), "#,##0", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(cellText(c.value, c.format), QString::fromUtf8(c.expected))
            << c.value.toText() << " / " << c.format;
}

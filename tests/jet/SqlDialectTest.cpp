// The statement-text translator, case by case.
#include "platform/jet/SqlDialect.h"

#include <gtest/gtest.h>

namespace {

using plat::jet::translateSql;

struct Case {
    const char* in;
    const char* out;
};

class Translation : public testing::TestWithParam<Case> {};

TEST_P(Translation, RewritesOnlyOutsideLiterals) {
    EXPECT_EQ(translateSql(GetParam().in), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Translation,
    testing::Values(
        // Date literals become canonical date text, leading zeros always written.
        Case{"WHERE NENGETU=#2004/04/01#", "WHERE NENGETU='2004-04-01 00:00:00'"},
        Case{"x=#2001/12/01#", "x='2001-12-01 00:00:00'"},
        Case{"x=#4/1/2004#", "x='2004-04-01 00:00:00'"},
        Case{"x=#12/31/2004#", "x='2004-12-31 00:00:00'"},
        Case{"x=#2004/4/1#", "x='2004-04-01 00:00:00'"},
        Case{"x=#2004/04/01 13:05#", "x='2004-04-01 13:05:00'"},
        Case{"x=#2004/04/01 9:05:07#", "x='2004-04-01 09:05:07'"},
        Case{"x=#2005/02/30#", "x=#2005/02/30#"}, // not a date: left for the engine to reject
        // DELETE * FROM and DELETE t.* FROM.
        Case{"DELETE * FROM KYUYO_F WHERE SYAINID=1", "DELETE FROM KYUYO_F WHERE SYAINID=1"},
        Case{"delete  *  from PRTRUIKEI", "delete  from PRTRUIKEI"},
        Case{"DELETE Kyuyo_F.* FROM Kyuyo_F", "DELETE FROM Kyuyo_F"},
        Case{"DELETE FROM PRTRUIKEI", "DELETE FROM PRTRUIKEI"},
        // Bracketed names and functions.
        Case{"Sum([d1]+[d2])", "Sum(\"d1\"+\"d2\")"}, Case{"[a\"b c]", "\"a\"\"b c\""},
        Case{"WHERE Year([Nengetu])=2004",
             "WHERE CAST(strftime('%Y',\"Nengetu\") AS INTEGER)=2004"},
        Case{"Month(Nengetu) = 4 AND Day ( Nengetu )=1",
             "CAST(strftime('%m',Nengetu) AS INTEGER) = 4 AND CAST(strftime('%d', Nengetu ) AS "
             "INTEGER)=1"},
        Case{"SELECT t.Year FROM t", "SELECT t.Year FROM t"},
        Case{"Sum((a+b)*(c))", "Sum((a+b)*(c))"}, Case{"IIf(x>0,1,0)", "IIf(x>0,1,0)"},
        // Concatenation and double-quoted literals.
        Case{"SName & '様'", "SName || '様'"}, Case{"x=\"it's\"", "x='it''s'"},
        Case{"x=\"say \"\"hi\"\"\"", "x='say \"hi\"'"},
        // Single-quoted literals pass through untouched, doubled quotes included.
        Case{"x='#2004/04/01# [a] & b DELETE * FROM Year(y);'",
             "x='#2004/04/01# [a] & b DELETE * FROM Year(y);'"},
        Case{"x='O''Brien' AND y='100%\\'", "x='O''Brien' AND y='100%\\'"},
        Case{"ORDER BY Kyuyo_F.SyainID,NENGETU;", "ORDER BY Kyuyo_F.SyainID,NENGETU"},
        Case{"SELECT 1 ; \n", "SELECT 1"},
        Case{"SELECT Kyuyo_F.* FROM Kyuyo_F", "SELECT Kyuyo_F.* FROM Kyuyo_F"},
        Case{"x=1.5E3", "x=1.5E3"}));

TEST(SqlQuoting, DoublesSingleQuotesOnly) {
    EXPECT_EQ(plat::jet::sqlEscape("O'Brien's"), "O''Brien''s");
    EXPECT_EQ(plat::jet::sqlQuote("a\"b%\\c"), "'a\"b%\\c'");
    EXPECT_EQ(plat::jet::sqlQuote(""), "''");
    // A quoted text survives translation unchanged.
    const std::string q = plat::jet::sqlQuote("x' OR '1'='1 #2004/01/01# [y]");
    EXPECT_EQ(translateSql("SELECT " + q), "SELECT " + q);
}

} // namespace

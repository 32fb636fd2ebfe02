// Literals of writes become parameters; statements where that could change the meaning stay.
#include "platform/jet/LiteralLifter.h"

#include <gtest/gtest.h>

namespace {

using plat::jet::liftLiterals;
using plat::jet::Value;

TEST(LiteralLifter, WritesShareOneShapeWhateverTheirValues) {
    const auto a =
        liftLiterals("INSERT INTO T (A,B,C,D) VALUES ('2004-04-01 00:00:00',7,'O''Brien',-7.5)");
    ASSERT_TRUE(a);
    EXPECT_EQ(a->shape, "INSERT INTO T (A,B,C,D) VALUES (?,?,?,-?)");
    EXPECT_EQ(a->values, (std::vector<Value>{Value("2004-04-01 00:00:00"), Value(7),
                                             Value("O'Brien"), Value(7.5)}));
    const auto b = liftLiterals("INSERT INTO T (A,B,C,D) VALUES ('x',8,'',-1e3)");
    ASSERT_TRUE(b);
    EXPECT_EQ(b->shape, a->shape);
    EXPECT_EQ(b->values[3], Value(1000.0));
    const auto d = liftLiterals("delete from KYUYO_F where NENGETU='2004-05-01 00:00:00' AND "
                                "SYAINID=12 AND \"D31\"=0");
    ASSERT_TRUE(d);
    EXPECT_EQ(d->shape, "delete from KYUYO_F where NENGETU=? AND SYAINID=? AND \"D31\"=?");
}

TEST(LiteralLifter, LeavesStatementsWhereALiteralMayMatter) {
    for (const char* sql : {
             "SELECT * FROM T WHERE A=1",                   // reads keep their own cache entry
             "INSERT INTO T SELECT 1, 2 FROM U",            // nested select
             "DELETE FROM T WHERE A IN (SELECT 1)",         //
             "UPDATE T SET A=1 ORDER BY 1 LIMIT 2",         // ordinal positions
             "INSERT INTO T VALUES (?1)",                   // parameters of its own
             "INSERT INTO T VALUES (1) -- note",            // comment
             "INSERT INTO T VALUES (0x10)",                 // hex literal
             "INSERT INTO T VALUES ('unterminated)",        //
             "INSERT INTO T VALUES (99999999999999999999)", // beyond 64 bits
             "CREATE VIEW V AS SELECT 1",                   //
         })
        EXPECT_FALSE(liftLiterals(sql)) << sql;
}

} // namespace

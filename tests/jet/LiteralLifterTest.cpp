// Literals of writes become parameters; statements where that could change the meaning stay.
#include "platform/jet/LiteralLifter.h"

#include <gtest/gtest.h>

#include <cctype>
#include <charconv>

namespace {

using plat::jet::liftLiterals;
using plat::jet::SqlEngine;
using plat::jet::Value;

TEST(LiteralLifter, WritesShareOneShapeWhateverTheirValues) {
    const auto a = liftLiterals(
        "INSERT INTO T (A,B,C,D,E) VALUES (#2004/04/01#,7,'O''Brien',-7.5,\"say \"\"hi\"\"\")",
        SqlEngine::Sqlite);
    ASSERT_TRUE(a);
    EXPECT_EQ(a->shape, "INSERT INTO T (A,B,C,D,E) VALUES (?,?,?,-?,?)");
    EXPECT_EQ(a->values, (std::vector<Value>{Value("2004-04-01 00:00:00"), Value(7),
                                             Value("O'Brien"), Value(7.5), Value("say \"hi\"")}));
    const auto b = liftLiterals("INSERT INTO T (A,B,C,D,E) VALUES (#4/1/2005#,8,'',-1e3,\"\")",
                                SqlEngine::Sqlite);
    ASSERT_TRUE(b);
    EXPECT_EQ(b->shape, a->shape);
    EXPECT_EQ(b->values[0], Value("2005-04-01 00:00:00"));
    EXPECT_EQ(b->values[3], Value(1000.0));
    const auto d = liftLiterals("DELETE * FROM KYUYO_F WHERE NENGETU=#2004/05/01# AND "
                                "SYAINID=12 AND [D31]=0",
                                SqlEngine::Postgres);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->shape,
              "DELETE * FROM KYUYO_F WHERE NENGETU=$1::timestamp AND SYAINID=$2 AND [D31]=$3");
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
             "INSERT INTO T VALUES (\"unterminated)",       //
             "INSERT INTO [T VALUES (1)",                   //
             "UPDATE T SET A=1 WHERE `it's`=2",             // the translation sees a quote
             "INSERT INTO T VALUES (99999999999999999999)", // beyond 64 bits
             "INSERT INTO T VALUES (#2004/13/45#)",         // not a date: the engine says so
             "UPDATE T SET C=datetime('now','localtime')",  // its translation reads the literals
             "CREATE VIEW V AS SELECT 1",                   //
         })
        for (SqlEngine engine : {SqlEngine::Sqlite, SqlEngine::Postgres})
            EXPECT_FALSE(liftLiterals(sql, engine)) << sql;
}

// The lifted values written back where the translated shape has its placeholders.
std::string withValues(const std::string& shape, const std::vector<Value>& values) {
    std::string out;
    std::size_t next = 0;
    for (std::size_t i = 0; i < shape.size();) {
        std::size_t end = i + 1;
        if (shape[i] == '$')
            while (end < shape.size() && std::isdigit(static_cast<unsigned char>(shape[end])))
                ++end;
        if (shape[i] != '?' && shape[i] != '$') {
            out += shape[i++];
            continue;
        }
        const Value& v = values.at(next++);
        out +=
            v.type() == plat::jet::ValueType::Text ? plat::jet::sqlQuote(v.toText()) : v.toText();
        i = end;
    }
    EXPECT_EQ(next, values.size()) << shape;
    return out;
}

// Every rewrite of the translation around literals: translating the shape once and putting the
// values back gives the whole statement's translation, for each of two statements of one shape.
TEST(LiteralLifter, ATranslatedShapeWithItsValuesIsTheStatementsTranslation) {
    const std::vector<std::pair<std::string, std::string>> sameShape = {
        {"INSERT INTO KYUYO_F (NENGETU,SYAINID,SNAME,TMONY,ROWNO,GENBAID,GNAME,D1,D2) VALUES "
         "(#2026/06/01#,1,'佐藤　健一',1250,1,3,'現場',7.5,0)",
         "INSERT INTO KYUYO_F (NENGETU,SYAINID,SNAME,TMONY,ROWNO,GENBAID,GNAME,D1,D2) VALUES "
         "(#2026/07/01 13:05#,2,'O''Brien',1300,2,4,'100%\\_\"x\"',8,0.25)"},
        {"DELETE * FROM KYUYO_F WHERE NENGETU=#2004/04/01# AND SYAINID=12;",
         "DELETE * FROM KYUYO_F WHERE NENGETU=#5/1/2004# AND SYAINID=7;"},
        {"UPDATE [SYAIN_MT] SET [SName]=\"O'Brien\", TMony=1250.5 WHERE SyainID=3",
         "UPDATE [SYAIN_MT] SET [SName]=\"say \"\"hi\"\"\", TMony=900 WHERE SyainID=4"},
        {"UPDATE KYUYO_F SET D1=D1+0.5, GNAME='a' & \"b\" WHERE Year(NENGETU)=2004 AND "
         "Month(NENGETU)=4",
         "UPDATE KYUYO_F SET D1=D1+1, GNAME='' & \"\" WHERE Year(NENGETU)=2005 AND "
         "Month(NENGETU)=12"},
        {"DELETE KYUYO_F.* FROM KYUYO_F WHERE ifnull(D1,0)=0 AND Day(CrtDate)=1",
         "DELETE KYUYO_F.* FROM KYUYO_F WHERE ifnull(D1,2)=3 AND Day(CrtDate)=31"},
    };
    for (SqlEngine engine : {SqlEngine::Sqlite, SqlEngine::Postgres}) {
        plat::jet::ShapeTranslations shapes(engine);
        for (const auto& [first, second] : sameShape) {
            for (const std::string& sql : {first, second}) {
                const auto lifted = shapes.lift(sql);
                ASSERT_TRUE(lifted) << sql;
                EXPECT_EQ(withValues(lifted->shape, lifted->values),
                          plat::jet::translateSql(sql, engine))
                    << sql;
            }
            EXPECT_EQ(shapes.lift(first)->shape, shapes.lift(second)->shape) << first;
        }
    }
}

} // namespace

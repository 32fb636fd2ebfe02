// A database file in a temporary folder for the data control tests, with helpers to fill and
// read SYAIN_MT and GENBA_MT.
#pragma once

#include "platform/jet/Database.h"
#include "platform/jet/Schema.h"
#include "tests/support/Application.h"
#include "tests/support/Scratch.h"

#include <gtest/gtest.h>

#include <string>

class DataFixture : public ::testing::Test {
protected:
    void SetUp() override { plat::jet::createSchema(dbPath().toStdString(), {2004, 4, 1}); }

    QString dbPath() const { return home.file(QStringLiteral("Roumu.MDB")); }
    plat::jet::Database db() const { return plat::jet::Database::open(dbPath().toStdString()); }

    void addEmployees(int n, int wage = 1000) {
        auto d = db();
        d.beginTrans();
        for (int i = 1; i <= n; ++i)
            d.execute("INSERT INTO SYAIN_MT (SNAME,TMONY) VALUES ('社員" + std::to_string(i) +
                      "'," + std::to_string(wage) + ")");
        d.commitTrans();
    }
    std::string nameOf(int id) {
        auto rs =
            db().openRecordset("SELECT SNAME FROM SYAIN_MT WHERE SYAINID=" + std::to_string(id));
        return rs.eof() ? std::string("<none>") : rs["SNAME"].toText();
    }
    int employeeCount() {
        auto rs = db().openRecordset("SELECT COUNT(*) AS N FROM SYAIN_MT");
        return static_cast<int>(rs["N"].toLong());
    }

    bool appReady_ = (testsupport::qtApp(), true);
    testsupport::TempFolder home;
};

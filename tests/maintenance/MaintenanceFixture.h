// A program folder for the maintenance tests: Roumu.MDB with a few employees, optionally
// bkmdb.ini, TAMSEL_HOME pointing at it, and a stand-in main menu in MenuForm.
#pragma once

#include "app/frame/RoumuM.h"
#include "app/frame/ScreenRegistry.h"
#include "platform/jet/Database.h"
#include "platform/jet/Schema.h"
#include "tests/support/Application.h"
#include "tests/support/Scratch.h"

#include <QFile>
#include <QWidget>

#include <gtest/gtest.h>

class MaintenanceFixture : public ::testing::Test {
protected:
    void SetUp() override {
        qputenv("TAMSEL_HOME", home.path().toUtf8());
        plat::jet::createSchema(dbPath().toStdString(), {2004, 4, 1});
        auto db = plat::jet::Database::open(dbPath().toStdString());
        for (int i = 0; i < 3; ++i)
            db.execute("INSERT INTO SYAIN_MT (SNAME,TMONY) VALUES ('社員" + std::to_string(i) +
                       "',1000)");
        menu.show();
        tamsel::RoumuM().MenuForm = &menu;
    }
    void TearDown() override {
        tamsel::resetScreens();
        tamsel::RoumuM().MenuForm = nullptr;
        qunsetenv("TAMSEL_HOME");
    }

    QString dbPath() const { return home.file(QStringLiteral("Roumu.MDB")); }
    QString workPath() const { return dbPath() + QStringLiteral("wk"); }

    void writeIni(const QByteArray& text) const {
        QFile f(home.file(QStringLiteral("bkmdb.ini")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }

    static QByteArray bytesOf(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // Employees in a database file; -1 when it cannot be read as one.
    static int employees(const QString& path) {
        try {
            auto db = plat::jet::Database::open(path.toStdString());
            auto rs = db.openRecordset("SELECT COUNT(*) AS N FROM SYAIN_MT");
            return static_cast<int>(rs["N"].toLong());
        } catch (...) {
            return -1;
        }
    }

    bool appReady_ = (testsupport::qtApp(), true); // before any widget member
    testsupport::TempFolder home;
    QWidget menu;
};

// A program folder for the master screen tests: Roumu.MDB made with the database layer's
// schema, TAMSEL_HOME pointing at it, a stand-in main menu in MenuForm, message boxes
// answered by a recorder, and helpers that type into fields and read the tables back.
#pragma once

#include "app/frame/RoumuM.h"
#include "app/frame/ScreenRegistry.h"
#include "app/masters/MasterScreen.h"
#include "platform/jet/Database.h"
#include "platform/jet/Schema.h"
#include "platform/widgets/ButtonArray.h"
#include "platform/widgets/MessageRecorder.h"
#include "platform/widgets/datactl/DBGrid.h"
#include "tests/support/Application.h"
#include "tests/support/Scratch.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <string>

class MastersFixture : public ::testing::Test {
protected:
    void SetUp() override {
        qputenv("TAMSEL_HOME", home.path().toUtf8());
        plat::jet::createSchema(dbPath().toStdString(), {2004, 4, 1});
        menu.show();
        tamsel::RoumuM().MenuForm = &menu;
    }
    void TearDown() override {
        tamsel::resetScreens();
        tamsel::RoumuM().MenuForm = nullptr;
        qunsetenv("TAMSEL_HOME");
    }

    template <class ScreenT> ScreenT* openScreen(int index) {
        tamsel::registerScreen(index, [] { return new ScreenT; });
        auto* s = static_cast<ScreenT*>(tamsel::openScreen(index));
        QApplication::setActiveWindow(s);
        EXPECT_TRUE(QTest::qWaitForWindowActive(s));
        return s;
    }

    QString dbPath() const { return home.file(QStringLiteral("Roumu.MDB")); }
    plat::jet::Database db() const { return plat::jet::Database::open(dbPath().toStdString()); }
    void exec(const std::string& sql) { db().execute(sql); }
    // First column of the first row of a query, as text ("<none>" without a row).
    std::string scalar(const std::string& sql) {
        auto rs = db().openRecordset(sql);
        return rs.eof() ? std::string("<none>") : rs[0].toText();
    }

    // Replaces a field's text the way the clerk types it (Japanese text arrives as committed
    // input, which key clicks cannot produce).
    static void type(QLineEdit* field, const QString& text) {
        field->setFocus();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        bool ascii = true;
        for (QChar c : text)
            ascii = ascii && c.unicode() < 0x80;
        if (ascii)
            QTest::keyClicks(field, text);
        else
            field->insert(text);
    }
    static QString cell(tamsel::MasterScreen* s, int row, int column) {
        return s->dbGrid()->model()->index(row, column).data().toString();
    }
    static int selectedRow(tamsel::MasterScreen* s) {
        const auto rows = s->dbGrid()->selectionModel()->selectedRows();
        return rows.size() == 1 ? rows[0].row() : -1;
    }

    bool appReady_ = (testsupport::qtApp(), true); // before any widget member
    testsupport::TempFolder home;
    QWidget menu;
    plat::widgets::MessageRecorder rec{plat::widgets::MsgResult::No};
};

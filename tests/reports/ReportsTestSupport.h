// Shared helpers of the inquiry and report tests: the support library's application, program
// folder, database and read-back tools under this suite's names, ledger lines written with the
// screens' statement texts, and a catcher of report previews.
#pragma once

#include "platform/jet/Database.h"
#include "platform/jet/SqlDialect.h"
#include "platform/report/PreviewWindow.h"
#include "platform/text/DateTime.h"
#include "tests/support/Application.h"
#include "tests/support/Csv.h"
#include "tests/support/Databases.h"
#include "tests/support/Pdf.h"

#include <QApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace reportstest {

using testsupport::addEmployee;
using testsupport::addSite;
using testsupport::countOf;
using testsupport::freshDatabase;
using testsupport::pdfInfo;
using testsupport::pdfPages;
using testsupport::pdfText;
using testsupport::readCsv;
using testsupport::runCommand;

inline void ensureApp() {
    testsupport::qtApp();
}

// A new empty folder for one test, made the program's folder.
inline std::filesystem::path freshHome(const std::string& name) {
    return testsupport::programFolder("reports-" + name);
}

inline std::string dateLiteral(int y, int m) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "#%04d/%02d/01#", y, m);
    return buf;
}

// One ledger line. Days not given are 0; a day given as nullopt is stored as Null. A name
// given as nullopt is stored as Null too.
struct Line {
    int year = 2004;
    int month = 4;
    std::int64_t syainId = 1;
    std::optional<std::string> sName = "社員";
    std::string wage = "1000";
    int rowNo = 1;
    std::int64_t genbaId = 1;
    std::optional<std::string> gName = "現場";
    std::map<int, std::optional<double>> days; // day 1..31 -> hours
};

inline std::string numberText(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.10g", v);
    return buf;
}

// The INSERT statement text of one line.
inline std::string lineSql(const Line& l) {
    std::string cols = "Nengetu,SyainID,SName,TMony,RowNo,GenbaID,GName";
    std::string vals = dateLiteral(l.year, l.month) + "," + std::to_string(l.syainId) + "," +
                       (l.sName ? plat::jet::sqlQuote(*l.sName) : std::string("Null")) + "," +
                       l.wage + "," + std::to_string(l.rowNo) + "," + std::to_string(l.genbaId) +
                       "," + (l.gName ? plat::jet::sqlQuote(*l.gName) : std::string("Null"));
    for (const auto& [day, hours] : l.days) {
        cols += ",D" + std::to_string(day);
        vals += "," + (hours ? numberText(*hours) : std::string("Null"));
    }
    return "INSERT INTO KYUYO_F (" + cols + ") VALUES (" + vals + ")";
}

inline void addLine(plat::jet::Database& db, const Line& l) {
    db.execute(lineSql(l));
}

// Closes every report preview that opens while it lives and remembers the page count of the
// last one (-1: none opened).
class PreviewCatcher {
public:
    PreviewCatcher() {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* p = qobject_cast<plat::report::PreviewWindow*>(w); p && p->isVisible()) {
                    pages = p->pageCount();
                    p->reject();
                }
        });
        timer_.start();
    }
    int pages = -1;

private:
    QTimer timer_;
};

// A plain number as a report prints it with "#,##0…": commas between thousands of the
// integer part.
inline std::string grouped(const std::string& plain) {
    const auto dot = plain.find('.');
    const std::string whole = plain.substr(0, dot);
    std::string out;
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0 && whole[i - 1] != '-')
            out += ',';
        out += whole[i];
    }
    return dot == std::string::npos ? out : out + plain.substr(dot);
}

} // namespace reportstest

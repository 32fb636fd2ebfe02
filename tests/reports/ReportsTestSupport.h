// Shared helpers of the inquiry and report tests: the application object, a fresh database in
// the program's folder (a scratch folder named by TAMSEL_HOME), ledger lines written with the
// screens' statement texts, and PDFs read back with the poppler tools.
#pragma once

#include "platform/jet/Database.h"
#include "platform/jet/Schema.h"
#include "platform/jet/SqlDialect.h"
#include "platform/report/PreviewWindow.h"
#include "platform/text/DateTime.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
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

inline void ensureApp() {
    static int argc = 1;
    static char name[] = "reports_tests";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance())
        new QApplication(argc, argv);
}

// A new empty folder for one test, made the program's folder.
inline std::filesystem::path freshHome(const std::string& name) {
    const char* root = std::getenv("TAMSEL_TEST_TMP");
    std::filesystem::path dir =
        root ? std::filesystem::path(root) : std::filesystem::temp_directory_path() / "tamsel-test";
    dir /= "reports-" + name;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    qputenv("TAMSEL_HOME", QByteArray::fromStdString(dir.string()));
    return dir;
}

inline plat::jet::Database freshDatabase(const std::filesystem::path& home) {
    const std::string path = (home / "Roumu.MDB").string();
    plat::jet::createSchema(path, plat::text::DateTime{2004, 4, 1});
    return plat::jet::Database::open(path);
}

inline std::string dateLiteral(int y, int m) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "#%04d/%02d/01#", y, m);
    return buf;
}

inline std::int64_t addEmployee(plat::jet::Database& db, const std::string& name, int wage) {
    db.execute("INSERT INTO SYAIN_MT (SName,TMony) VALUES (" + plat::jet::sqlQuote(name) + "," +
               std::to_string(wage) + ")");
    return db.lastInsertId();
}

inline std::int64_t addSite(plat::jet::Database& db, const std::string& name) {
    db.execute("INSERT INTO GENBA_MT (GName) VALUES (" + plat::jet::sqlQuote(name) + ")");
    return db.lastInsertId();
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

inline std::string runCommand(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buf[4096];
        std::size_t n;
        while ((n = fread(buf, 1, sizeof buf, pipe)) > 0)
            out.append(buf, n);
        pclose(pipe);
    }
    return out;
}

// The page's text (0: all pages), blanks and line breaks removed: the PDF holds no glyph for a
// blank and pdftotext puts its own blanks where it sees gaps.
inline std::string pdfText(const std::filesystem::path& pdf, int page = 0) {
    std::string range;
    if (page > 0)
        range = " -f " + std::to_string(page) + " -l " + std::to_string(page);
    const std::string raw = runCommand("pdftotext -layout -enc UTF-8" + range + " '" +
                                       pdf.string() + "' - 2>/dev/null");
    std::string out;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw.compare(i, 3, "\xE3\x80\x80") == 0) {
            i += 2;
            continue;
        }
        const char c = raw[i];
        if (c != ' ' && c != '\n' && c != '\f' && c != '\r' && c != '\t')
            out += c;
    }
    return out;
}

inline std::string pdfInfo(const std::filesystem::path& pdf) {
    return runCommand("pdfinfo '" + pdf.string() + "' 2>/dev/null");
}

inline int pdfPages(const std::filesystem::path& pdf) {
    const std::string info = pdfInfo(pdf);
    const auto at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::atoi(info.c_str() + at + 6);
}

inline std::size_t countOf(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

// A CSV file read back by an independent parser (Python's csv module, which expects the UTF-8
// byte-order mark to be there and takes it off): its rows, heading row first.
inline std::vector<std::vector<std::string>> readCsv(const std::filesystem::path& csv) {
    const std::string json = runCommand(
        "python3 -c 'import csv,json,sys; f=open(sys.argv[1],encoding=\"utf-8-sig\",newline=\"\");"
        "print(json.dumps(list(csv.reader(f, strict=True))))' '" +
        csv.string() + "' 2>/dev/null");
    std::vector<std::vector<std::string>> rows;
    for (const QJsonValue& row : QJsonDocument::fromJson(QByteArray::fromStdString(json)).array()) {
        std::vector<std::string> cells;
        for (const QJsonValue& cell : row.toArray())
            cells.push_back(cell.toString().toStdString());
        rows.push_back(std::move(cells));
    }
    return rows;
}

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

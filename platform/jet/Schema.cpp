// The application database's schema: tables with the declared types the layer reads by,
// indexes for month look-ups, and the stored queries the reports and the site master use.
#include "platform/jet/Schema.h"

#include "platform/jet/Connection.h"
#include "platform/jet/Database.h"
#include "platform/jet/Location.h"
#include "platform/jet/SchemaParts.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

namespace plat::jet {

namespace {

// A day without hours is 0, never Null: an explicit Null written into a day column is stored as
// its default 0, so every sum over the days (D1+D2+…) counts all hours of a line.
constexpr char kDayColumnType[] = "REAL NOT NULL ON CONFLICT REPLACE DEFAULT 0";
// The tables whose day columns follow that rule.
constexpr const char* kDayTables[] = {"KYUYO_F", "PRTROUMUM"};

std::string dayColumns(const char* type) {
    std::string s;
    for (int d = 1; d <= 31; ++d)
        s += ",\n  D" + std::to_string(d) + " " + type;
    return s;
}

// The ledger columns shared by KYUYO_F and the statement work table PRTROUMUM.
std::string ledgerColumns() {
    return "  Nengetu DATETIME TEXT NOT NULL,\n"
           "  SyainID INTEGER NOT NULL,\n"
           "  SName TEXT,\n"
           "  TMony CURRENCY REAL,\n"
           "  RowNo INTEGER NOT NULL,\n"
           "  GenbaID INTEGER,\n"
           "  GName TEXT" +
           dayColumns(kDayColumnType);
}

} // namespace

std::string tablesSql() {
    return "CREATE TABLE SYAIN_MT (\n"
           "  SyainID INTEGER PRIMARY KEY AUTOINCREMENT,\n"
           "  SName TEXT,\n"
           "  TMony CURRENCY REAL DEFAULT 0);\n"
           "CREATE TABLE GENBA_MT (\n"
           "  GenbaID INTEGER PRIMARY KEY AUTOINCREMENT,\n"
           "  GName TEXT,\n"
           "  CrtDate DATETIME TEXT DEFAULT (datetime('now','localtime')));\n"
           "CREATE INDEX GENBA_MT_CrtDate ON GENBA_MT (CrtDate);\n"
           // One line number per employee-month; the key also serves every month look-up.
           "CREATE TABLE KYUYO_F (\n" +
           ledgerColumns() +
           ",\n  PRIMARY KEY (Nengetu, SyainID, RowNo));\n"
           "CREATE INDEX KYUYO_F_SyainID ON KYUYO_F (SyainID, Nengetu);\n"
           "CREATE TABLE PRTROUMUM (\n" +
           ledgerColumns() +
           ",\n  GTOTAL REAL);\n"
           "CREATE TABLE PRTRUIKEI (\n"
           "  NENGETU DATETIME TEXT,\n"
           "  SYAINID INTEGER,\n"
           "  TMONY CURRENCY REAL,\n"
           "  RTIME REAL,\n"
           "  MMONY CURRENCY REAL,\n"
           "  SNAME TEXT);\n"
           "CREATE VIEW Q_Genba AS SELECT GenbaID, GName, CrtDate FROM GENBA_MT ORDER BY "
           "GenbaID;\n";
}

// The site master edits GName only; the key and the registration time stay as the database
// assigned them.
static std::string genbaTriggersSql() {
    return "CREATE TRIGGER Q_Genba_Insert INSTEAD OF INSERT ON Q_Genba BEGIN\n"
           "  INSERT INTO GENBA_MT (GenbaID, GName, CrtDate)\n"
           "  VALUES (NEW.GenbaID, NEW.GName, COALESCE(NEW.CrtDate, "
           "datetime('now','localtime')));\n"
           "END;\n"
           "CREATE TRIGGER Q_Genba_Update INSTEAD OF UPDATE ON Q_Genba BEGIN\n"
           "  UPDATE GENBA_MT SET GName = NEW.GName WHERE GenbaID = OLD.GenbaID;\n"
           "END;\n"
           "CREATE TRIGGER Q_Genba_Delete INSTEAD OF DELETE ON Q_Genba BEGIN\n"
           "  DELETE FROM GENBA_MT WHERE GenbaID = OLD.GenbaID;\n"
           "END;\n";
}

// The site report's stored query as the inquiry screen rewrites it for a month.
std::string siteReportQuery(const plat::text::DateTime& month) {
    char date[16];
    std::snprintf(date, sizeof date, "%04d/%02d/%02d", month.year, month.month, 1);
    std::string s = "SELECT KYUYO_F.Nengetu, KYUYO_F.GenbaID, KYUYO_F.GName";
    for (int d = 1; d <= 31; ++d)
        s += ", Sum(KYUYO_F.D" + std::to_string(d) + "*TMONY) AS D" + std::to_string(d);
    s += " ,Sum((KYUYO_F.D1";
    for (int d = 2; d <= 31; ++d)
        s += "+KYUYO_F.D" + std::to_string(d);
    s += ")*TMONY) AS GTOTAL From KYUYO_F Where (((KYUYO_F.Nengetu)=#";
    s += date;
    s += "#)) GROUP BY KYUYO_F.Nengetu, KYUYO_F.GenbaID, KYUYO_F.GName "
         "ORDER BY KYUYO_F.GenbaID DESC";
    return s;
}

namespace {

// "D1=ifnull(D1,0),…" for every day.
std::string daysToZero() {
    std::string s;
    for (int d = 1; d <= 31; ++d) {
        const std::string col = "D" + std::to_string(d);
        s += (d > 1 ? "," : "") + col + "=ifnull(" + col + ",0)";
    }
    return s;
}

std::string anyDayNull() {
    std::string s;
    for (int d = 1; d <= 31; ++d)
        s += (d > 1 ? " OR D" : "D") + std::to_string(d) + " IS NULL";
    return s;
}

// 1 when the table's D1 refuses Null, 0 when it accepts it, -1 without such a table.
int dayColumnRefusesNull(Connection& c, const std::string& table) {
    Statement st = c.prepareNative("SELECT \"notnull\" FROM pragma_table_info(?1) WHERE name='D1'");
    sqlite3_bind_text(st.get(), 1, table.c_str(), -1, SQLITE_TRANSIENT);
    const int rc = sqlite3_step(st.get());
    if (rc == SQLITE_ROW)
        return sqlite3_column_int(st.get(), 0) != 0 ? 1 : 0;
    if (rc != SQLITE_DONE)
        c.raise(rc);
    return -1;
}

bool hasTrigger(Connection& c, const std::string& name) {
    Statement st = c.prepareNative("SELECT 1 FROM sqlite_master WHERE type='trigger' AND name=?1");
    sqlite3_bind_text(st.get(), 1, name.c_str(), -1, SQLITE_TRANSIENT);
    const int rc = sqlite3_step(st.get());
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        c.raise(rc);
    return rc == SQLITE_ROW;
}

} // namespace

void upgradeDayColumns(Connection& c) {
    std::vector<std::string> pending;
    for (const char* table : kDayTables) {
        if (dayColumnRefusesNull(c, table) == 0 && !hasTrigger(c, std::string(table) + "_DaysZero"))
            pending.emplace_back(table);
    }
    if (pending.empty())
        return;
    // Written by an earlier version: the day columns accept Null. Their Nulls become 0 and two
    // triggers turn any Null written later into 0, so such a file sums like a new one.
    c.exec("BEGIN IMMEDIATE");
    try {
        for (const std::string& t : pending) {
            c.exec("UPDATE " + t + " SET " + daysToZero() + " WHERE " + anyDayNull());
            c.exec("CREATE TRIGGER " + t + "_DaysZero AFTER INSERT ON " + t + " BEGIN UPDATE " + t +
                   " SET " + daysToZero() + " WHERE rowid=NEW.rowid AND (" + anyDayNull() +
                   "); END");
            std::string days;
            for (int d = 1; d <= 31; ++d)
                days += (d > 1 ? ",D" : "D") + std::to_string(d);
            c.exec("CREATE TRIGGER " + t + "_DaysZeroUpdate AFTER UPDATE OF " + days + " ON " + t +
                   " BEGIN UPDATE " + t + " SET " + daysToZero() + " WHERE rowid=NEW.rowid AND (" +
                   anyDayNull() + "); END");
        }
        c.exec("COMMIT");
    } catch (...) {
        sqlite3_exec(c.db(), "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

std::string workQueriesSql() {
    return "CREATE VIEW Q_SRoumuM AS SELECT * FROM PRTROUMUM ORDER BY SyainID, RowNo;\n"
           "CREATE VIEW Q_PrtRuikei AS SELECT NENGETU AS Nengetu, SYAINID AS SyainID, "
           "SNAME AS SName, TMONY AS TMony, RTIME AS RTime, MMONY AS MMony "
           "FROM PRTRUIKEI ORDER BY SYAINID, NENGETU;\n";
}

void createSchema(const std::string& path, const plat::text::DateTime& reportMonth) {
    if (isServerLocation(path)) {
        createServerSchema(path, reportMonth);
        return;
    }
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (fd < 0)
        throw Error(errno == EEXIST ? err::DatabaseExists : err::CannotOpen, path);
    ::close(fd);
    try {
        {
            sqlite3* raw = nullptr;
            const int rc = sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr);
            Connection conn(raw, path);
            if (rc != SQLITE_OK)
                conn.raise(rc);
            conn.exec("PRAGMA journal_mode=DELETE");
            conn.exec("BEGIN");
            conn.exec(tablesSql());
            conn.exec(genbaTriggersSql());
            conn.exec(workQueriesSql());
            conn.exec("COMMIT");
        }
        Database db = Database::open(path);
        db.createQuery("Q_PrtRoumuG", siteReportQuery(reportMonth));
    } catch (...) {
        ::unlink(path.c_str());
        throw;
    }
}

} // namespace plat::jet

// Database steps of the inquiry and report screens.
#include "app/reports/ReportData.h"

#include "app/reports/ReportQueries.h"
#include "platform/jet/Error.h"

namespace tamsel::reports {

std::vector<InquiryRow> readInquiry(plat::jet::Database& db, const plat::text::DateTime& month) {
    std::vector<InquiryRow> rows;
    plat::jet::Recordset rs = db.openRecordset(inquirySql(month));
    while (!rs.eof()) {
        InquiryRow row;
        const plat::jet::Value name = rs.field("GNAME");
        if (!name.isNull())
            row.gName = QString::fromStdString(name.toText());
        for (int n = 0; n < kInquiryDays; ++n) {
            const plat::jet::Value v = rs.field(2 + n);
            row.days[static_cast<std::size_t>(n)] =
                v.isNull() ? 0.0f : static_cast<float>(v.toDouble());
        }
        rows.push_back(std::move(row));
        rs.moveNext();
    }
    return rows;
}

void buildSiteReportQuery(plat::jet::Database& db, const plat::text::DateTime& month) {
    try {
        db.deleteQuery(kSiteReportQuery);
    } catch (const plat::jet::Error&) {
        // The query may not exist yet; whatever stops the delete stops the create below too.
    }
    db.createQuery(kSiteReportQuery, siteReportSql(month));
}

namespace {

// Reads the year's lines to the end before the first insert, so the read statement is finished
// when the writes begin.
int insertYearLines(plat::jet::Database& db, int year, const ExtractProgress& progress) {
    std::vector<YearLine> lines;
    {
        plat::jet::Recordset rs = db.openRecordset(yearAggregateSql(year));
        while (!rs.eof()) {
            YearLine line;
            line.nengetu = rs.field("Nengetu").toDate();
            line.syainId = rs.field("SyainID").toLong();
            line.sName = rs.field("SName");
            line.tMony = rs.field("TMony").toCurrency();
            line.rTime = rs.field("RTime").toDouble();
            lines.push_back(std::move(line));
            rs.moveNext();
        }
    }
    const int total = static_cast<int>(lines.size());
    int done = 0;
    for (const YearLine& line : lines) {
        db.execute(yearInsertSql(line));
        ++done;
        if (progress)
            progress(done, total);
    }
    return done;
}

} // namespace

int fillYear(plat::jet::Database& db, int year, const ExtractProgress& progress) {
    db.execute("DELETE FROM PRTRUIKEI");
    return insertYearLines(db, year, progress);
}

int extractYear(plat::jet::Database& db, int year, const ExtractProgress& progress) {
    // One transaction: hundreds of single inserts would each wait for the disk. Lines written
    // before an error are still committed, as a line-by-line fill would have left them.
    db.beginTrans();
    int done = 0;
    try {
        done = fillYear(db, year, progress);
    } catch (...) {
        // On a server a failed statement has already undone the transaction, and its commit
        // fails in turn: the first error is the one the clerk must see.
        try {
            if (db.inTransaction())
                db.commitTrans();
        } catch (const plat::jet::Error&) {
        }
        throw;
    }
    db.commitTrans();
    return done;
}

int copyStatementLines(plat::jet::Database& db, const std::string& copySql) {
    db.execute("DELETE FROM PRTROUMUM");
    // The lines are read to the end before the first row is added, so the read statement is
    // finished when the writes begin.
    std::vector<std::string> names;
    std::vector<std::vector<plat::jet::Value>> rows;
    {
        plat::jet::Recordset rs = db.openRecordset(copySql);
        for (int i = 0; i < rs.fieldCount(); ++i)
            names.push_back(rs.fieldName(i));
        for (; !rs.eof(); rs.moveNext()) {
            std::vector<plat::jet::Value> row;
            row.reserve(names.size());
            for (int i = 0; i < static_cast<int>(names.size()); ++i)
                row.push_back(rs.field(i));
            rows.push_back(std::move(row));
        }
    }
    if (rows.empty())
        return 0;
    plat::jet::Dynaset work = db.openDynaset(kStatementWorkTable, true);
    for (const auto& row : rows) {
        work.addNew();
        for (std::size_t i = 0; i < names.size(); ++i)
            work.setField(names[i], row[i]);
        work.update();
    }
    return static_cast<int>(rows.size());
}

} // namespace tamsel::reports

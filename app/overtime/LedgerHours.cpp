// Ledger reading for the overtime check: one grouped query per run of months.
#include "app/overtime/LedgerHours.h"

#include <cstdio>
#include <map>
#include <set>

namespace tamsel::overtime {

namespace {

std::string dateLiteral(int index) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "#%04d/%02d/01#", yearOf(index), monthOf(index));
    return buf;
}

// Day sums per employee-month, grouped in the order of the ledger's key (month, employee) so the
// database adds them up as it reads, without sorting.
std::string ledgerQuery(int firstMonth, int lastMonth) {
    std::string sql = "SELECT KYUYO_F.Nengetu, KYUYO_F.SyainID";
    for (int d = 1; d <= 31; ++d)
        sql += ", Sum(KYUYO_F.D" + std::to_string(d) + ") AS D" + std::to_string(d);
    sql += " FROM KYUYO_F WHERE KYUYO_F.Nengetu>=" + dateLiteral(firstMonth) +
           " AND KYUYO_F.Nengetu<=" + dateLiteral(lastMonth) +
           " GROUP BY KYUYO_F.Nengetu, KYUYO_F.SyainID";
    return sql;
}

void addLines(MonthDays& days, std::span<const LineHours> lines) {
    for (const LineHours& line : lines)
        for (std::size_t d = 0; d < days.size(); ++d)
            days[d] += toTenths(line[d]);
}

} // namespace

std::vector<EmployeeLedger> readLedger(plat::jet::Database& db, int firstMonth, int lastMonth) {
    // Employees no longer in the master are left out, as in the annual report.
    std::map<std::int64_t, EmployeeLedger> employees;
    for (plat::jet::Recordset rs = db.openRecordset("SELECT SyainID, SName FROM SYAIN_MT");
         !rs.eof(); rs.moveNext()) {
        const std::int64_t id = rs.field(0).toLong();
        employees[id] = {id, rs.field(1).toText(), {}};
    }
    std::set<std::int64_t> worked;
    plat::jet::Recordset rs = db.openRecordset(ledgerQuery(firstMonth, lastMonth));
    constexpr int kFirstDay = 2; // D1's column
    for (; !rs.eof(); rs.moveNext()) {
        const auto found = employees.find(rs.field(1).toLong());
        if (found == employees.end())
            continue;
        worked.insert(found->first);
        const plat::text::DateTime month = rs.field(0).toDate();
        MonthDays& days = found->second.days[monthIndex(month.year, month.month)];
        for (int d = 0; d < 31; ++d)
            days[static_cast<std::size_t>(d)] = toTenths(rs.field(kFirstDay + d).toDouble());
    }
    std::vector<EmployeeLedger> out;
    for (auto& [id, e] : employees)
        if (worked.contains(id))
            out.push_back(std::move(e));
    return out;
}

MonthFigures monthFiguresOfLines(const plat::text::DateTime& month,
                                 std::span<const LineHours> lines,
                                 std::span<const LineHours> previousMonth, int holidayWeekday) {
    const int index = monthIndex(month.year, month.month);
    EmployeeDays days;
    addLines(days[index - 1], previousMonth);
    addLines(days[index], lines);
    return monthFigures(days, index, 1, holidayWeekday).front();
}

std::vector<LineHours> readMonthLines(plat::jet::Database& db, std::int64_t syainId,
                                      const plat::text::DateTime& month) {
    std::vector<LineHours> lines;
    plat::jet::Recordset rs = db.openRecordset(
        "SELECT * FROM KYUYO_F WHERE NENGETU=" + dateLiteral(monthIndex(month.year, month.month)) +
        " AND SYAINID=" + std::to_string(syainId) + " ORDER BY ROWNO");
    for (; !rs.eof(); rs.moveNext()) {
        LineHours& line = lines.emplace_back();
        for (int d = 1; d <= 31; ++d)
            line[static_cast<std::size_t>(d - 1)] = rs.field("D" + std::to_string(d)).toDouble();
    }
    return lines;
}

MonthFigures ledgerMonthFigures(plat::jet::Database& db, std::int64_t syainId,
                                const plat::text::DateTime& month, std::span<const LineHours> lines,
                                int holidayWeekday) {
    const std::vector<LineHours> before =
        readMonthLines(db, syainId, plat::text::addMonths(plat::text::firstOfMonth(month), -1));
    return monthFiguresOfLines(month, lines, before, holidayWeekday);
}

} // namespace tamsel::overtime

// The ledger's statement texts.
#include "app/ledger/LedgerSql.h"

#include "platform/jet/SqlDialect.h"

#include <charconv>
#include <cstdio>

namespace tamsel::ledger {

std::string sqlDate(const plat::text::DateTime& date) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d/%02d/%02d", date.year, date.month, date.day);
    return buf;
}

std::string singleText(float value) {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, r.ptr);
}

std::string readMonthSql(const plat::text::DateTime& month, std::int64_t syainId) {
    return "SELECT * FROM KYUYO_F WHERE NENGETU=#" + sqlDate(month) + "#" +
           " AND SYAINID=" + std::to_string(syainId) + " ORDER BY ROWNO";
}

std::string deleteMonthSql(const plat::text::DateTime& month, std::int64_t syainId) {
    return "DELETE * FROM KYUYO_F WHERE NENGETU=#" + sqlDate(month) +
           "# AND SYAINID=" + std::to_string(syainId);
}

std::string insertLineSql(const plat::text::DateTime& month, std::int64_t syainId,
                          const std::string& sName, const plat::jet::Currency& wage, int rowNo,
                          const LedgerLine& line) {
    std::string columns = "INSERT INTO KYUYO_F (NENGETU,SYAINID,SNAME,TMONY";
    columns += ",ROWNO,GENBAID,GNAME";
    for (int d = 1; d <= kDays; ++d)
        columns += ",D" + std::to_string(d);
    columns += ")";
    std::string values = " VALUES (#" + sqlDate(month) + "#," + std::to_string(syainId) + ",'" +
                         plat::jet::sqlEscape(sName) + "'," + wage.toText() + "," +
                         std::to_string(rowNo) + "," + std::to_string(line.GenbaID) + ",'" +
                         plat::jet::sqlEscape(line.GName) + "'";
    for (float h : line.hours)
        values += "," + singleText(h);
    values += ")";
    return columns + values;
}

std::string employeeListSql() {
    return "SELECT * FROM SYAIN_MT ORDER BY SYAINID DESC";
}

std::string employeeSql(std::int64_t syainId) {
    return "SELECT SNAME,TMONY FROM SYAIN_MT WHERE SYAINID=" + std::to_string(syainId);
}

std::string siteListSql() {
    return "SELECT * FROM GENBA_MT ORDER BY CRTDATE DESC";
}

std::string siteNameSql(std::int64_t genbaId) {
    return "SELECT GNAME FROM GENBA_MT WHERE GENBAID=" + std::to_string(genbaId);
}

std::string monthSitesSql(const plat::text::DateTime& month, std::int64_t syainId) {
    return "SELECT KYUYO_F.GENBAID, GENBA_MT.GNAME FROM KYUYO_F INNER JOIN GENBA_MT ON "
           "KYUYO_F.GENBAID = GENBA_MT.GENBAID WHERE KYUYO_F.NENGETU=#" +
           sqlDate(month) + "# AND KYUYO_F.SYAINID=" + std::to_string(syainId) +
           " ORDER BY KYUYO_F.ROWNO";
}

} // namespace tamsel::ledger

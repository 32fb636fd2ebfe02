// The ledger's statement texts, built piece by piece exactly as the ledger screens have always
// written them: reading, removing and inserting the lines of one employee-month, the pick
// lists of employees and sites, the site look-up, and the sites of the month before.
#pragma once

#include "platform/jet/Value.h"
#include "platform/text/DateTime.h"

#include <array>
#include <cstdint>
#include <string>

namespace tamsel::ledger {

inline constexpr int kLines = 9; // lines of one employee-month
inline constexpr int kDays = 31; // day cells of a line, whatever the month's length

// One line of the ledger as it is read and written: the site and the hours of days 1 … 31
// (index 0 = day 1), single precision like the day columns.
struct LedgerLine {
    std::int64_t GenbaID = 0;
    std::string GName;
    std::array<float, kDays> hours{};
};

// "yyyy/mm/dd": the text between the # of a date literal.
std::string sqlDate(const plat::text::DateTime& date);

// Shortest decimal text of a single-precision value ("8", "7.5", "0").
std::string singleText(float value);

std::string readMonthSql(const plat::text::DateTime& month, std::int64_t syainId);
std::string deleteMonthSql(const plat::text::DateTime& month, std::int64_t syainId);
// The 38-column insert of one line. Quotes in the names are doubled, so every name is stored
// exactly as written.
std::string insertLineSql(const plat::text::DateTime& month, std::int64_t syainId,
                          const std::string& sName, const plat::jet::Currency& wage, int rowNo,
                          const LedgerLine& line);

std::string employeeListSql();
std::string employeeSql(std::int64_t syainId);
std::string siteListSql();
std::string siteNameSql(std::int64_t genbaId);
// The sites of an employee-month in line order, with their current master names; sites that
// left the master are not listed.
std::string monthSitesSql(const plat::text::DateTime& month, std::int64_t syainId);

} // namespace tamsel::ledger

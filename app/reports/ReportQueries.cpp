// Statement texts of the inquiry and the two reports.
#include "app/reports/ReportQueries.h"

#include "platform/jet/SqlDialect.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace tamsel::reports {

namespace {

// "yyyy/mm/dd", as FormatSqlDate writes it (the text between the # of a date literal).
std::string sqlDate(const plat::text::DateTime& d) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d/%02d/%02d", d.year, d.month, d.day);
    return buf;
}

std::string doubleText(double v) {
    return plat::jet::Value(v).toText();
}

// The statement's copy query up to and including " From Kyuyo_F ".
std::string copySqlHead() {
    std::string s;
    s += "SELECT Kyuyo_F.*,";
    s += "(KYUYO_F.D1+KYUYO_F.D2+KYUYO_F.D3+KYUYO_F.D4+KYUYO_F.D5+";
    s += "KYUYO_F.D6+KYUYO_F.D7+KYUYO_F.D8+KYUYO_F.D9+KYUYO_F.D10+KYUYO_F.D11+KYUYO_F.D12+";
    s += "KYUYO_F.D13+KYUYO_F.D14+KYUYO_F.D15+KYUYO_F.D16+KYUYO_F.D17+KYUYO_F.D18+KYUYO_F.D19+";
    s += "KYUYO_F.D20+KYUYO_F.D21+KYUYO_F.D22+KYUYO_F.D23+KYUYO_F.D24+KYUYO_F.D25+";
    s += "KYUYO_F.D26+KYUYO_F.D27+KYUYO_F.D28+KYUYO_F.D29+KYUYO_F.D30+KYUYO_F.D31) AS GTOTAL ";
    s += " From Kyuyo_F ";
    return s;
}

// A printed number: grouping commas dropped; nullopt when the rest is not a number.
std::optional<double> printedNumber(const std::string& text) {
    std::string digits;
    for (char c : text) {
        if (c != ',')
            digits += c;
    }
    if (digits.empty())
        return std::nullopt;
    char* end = nullptr;
    const double v = std::strtod(digits.c_str(), &end);
    if (end != digits.c_str() + digits.size())
        return std::nullopt;
    return v;
}

} // namespace

std::string inquirySql(const plat::text::DateTime& month) {
    std::string s;
    s += "SELECT GENBAID,GNAME,";
    s += "SUM(D1) AS SD0,SUM(D2) AS SD1,SUM(D3) AS SD2,SUM(D4) AS SD3,SUM(D5) AS SD4,SUM(D6) AS "
         "SD5,";
    s += "SUM(D7) AS SD6,SUM(D8) AS SD7,SUM(D9) AS SD8,SUM(D10) AS SD9,SUM(D11) AS SD10,SUM(D12) "
         "AS SD11,";
    s += "SUM(D13) AS SD12,SUM(D14) AS SD13,SUM(D15) AS SD14,SUM(D16) AS SD15,SUM(D17) AS SD16,";
    s += "SUM(D18) AS SD17,SUM(D19) AS SD18,SUM(D20) AS SD19,SUM(D21) AS SD20,SUM(D22) AS SD21,";
    s += "SUM(D23) AS SD22,SUM(D24) AS SD23,SUM(D25) AS SD24,SUM(D26) AS SD25,SUM(D27) AS SD26,";
    s += "SUM(D28) AS SD27,SUM(D29) AS SD28,SUM(D30) AS SD29,SUM(D31) AS SD30";
    s += " FROM KYUYO_F WHERE NENGETU=#";
    s += sqlDate(month);
    s += "# ";
    s += "GROUP BY GENBAID,GNAME,NENGETU ORDER BY GENBAID DESC";
    return s;
}

plat::text::DateTime previousMonth(const plat::text::DateTime& shown) {
    const plat::text::DateTime earlier = plat::text::addMonths(shown, -1);
    return earlier < kFirstMonth ? shown : earlier;
}

plat::text::DateTime nextMonth(const plat::text::DateTime& shown,
                               const plat::text::DateTime& today) {
    const plat::text::DateTime lastBeforeLimit =
        plat::text::addMonths(plat::text::firstOfMonth(today), 2);
    return shown > lastBeforeLimit ? shown : plat::text::addMonths(shown, 1);
}

double singleAsShown(float value) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.7g", static_cast<double>(value));
    return std::strtod(buf, nullptr);
}

std::string siteReportSql(const plat::text::DateTime& month) {
    std::string s;
    s += "SELECT KYUYO_F.Nengetu, KYUYO_F.GenbaID, KYUYO_F.GName, Sum(KYUYO_F.D1*TMONY) AS D1, ";
    s += "Sum(KYUYO_F.D2*TMONY) AS D2, Sum(KYUYO_F.D3*TMONY) AS D3, Sum(KYUYO_F.D4*TMONY) AS D4, "
         "Sum(KYUYO_F.D5*TMONY) AS D5, ";
    s += "Sum(KYUYO_F.D6*TMONY) AS D6, Sum(KYUYO_F.D7*TMONY) AS D7, Sum(KYUYO_F.D8*TMONY) AS D8, "
         "Sum(KYUYO_F.D9*TMONY) AS D9, ";
    s += "Sum(KYUYO_F.D10*TMONY) AS D10, Sum(KYUYO_F.D11*TMONY) AS D11, Sum(KYUYO_F.D12*TMONY) AS "
         "D12, ";
    s += "Sum(KYUYO_F.D13*TMONY) AS D13, Sum(KYUYO_F.D14*TMONY) AS D14, Sum(KYUYO_F.D15*TMONY) AS "
         "D15, ";
    s += "Sum(KYUYO_F.D16*TMONY) AS D16, Sum(KYUYO_F.D17*TMONY) AS D17, Sum(KYUYO_F.D18*TMONY) AS "
         "D18, ";
    s += "Sum(KYUYO_F.D19*TMONY) AS D19, Sum(KYUYO_F.D20*TMONY) AS D20, Sum(KYUYO_F.D21*TMONY) AS "
         "D21, ";
    s += "Sum(KYUYO_F.D22*TMONY) AS D22, Sum(KYUYO_F.D23*TMONY) AS D23, Sum(KYUYO_F.D24*TMONY) AS "
         "D24, ";
    s += "Sum(KYUYO_F.D25*TMONY) AS D25, Sum(KYUYO_F.D26*TMONY) AS D26, Sum(KYUYO_F.D27*TMONY) AS "
         "D27, ";
    s += "Sum(KYUYO_F.D28*TMONY) AS D28, Sum(KYUYO_F.D29*TMONY) AS D29, Sum(KYUYO_F.D30*TMONY) AS "
         "D30, ";
    s += "Sum(KYUYO_F.D31*TMONY) AS D31 ,Sum((KYUYO_F.D1+KYUYO_F.D2+KYUYO_F.D3+KYUYO_F.D4+KYUYO_F."
         "D5+";
    s += "KYUYO_F.D6+KYUYO_F.D7+KYUYO_F.D8+KYUYO_F.D9+KYUYO_F.D10+KYUYO_F.D11+KYUYO_F.D12+";
    s += "KYUYO_F.D13+KYUYO_F.D14+KYUYO_F.D15+KYUYO_F.D16+KYUYO_F.D17+KYUYO_F.D18+KYUYO_F.D19+";
    s += "KYUYO_F.D20+KYUYO_F.D21+KYUYO_F.D22+KYUYO_F.D23+KYUYO_F.D24+KYUYO_F.D25+";
    s += "KYUYO_F.D26+KYUYO_F.D27+KYUYO_F.D28+KYUYO_F.D29+KYUYO_F.D30+KYUYO_F.D31)*TMONY) AS "
         "GTOTAL ";
    s += "From KYUYO_F ";
    s += "Where (((KYUYO_F.Nengetu)=#";
    s += sqlDate(month);
    s += "#)) ";
    s += "GROUP BY KYUYO_F.Nengetu, KYUYO_F.GenbaID, KYUYO_F.GName ";
    s += "ORDER BY KYUYO_F.GenbaID DESC";
    return s;
}

std::string yearAggregateSql(int year) {
    std::string s;
    s += "SELECT Kyuyo_F.Nengetu, Kyuyo_F.SyainID, Kyuyo_F.SName, Kyuyo_F.TMony, ";
    s += "Sum([d1]+[d2]+[d3]+[d4]+[d5]+[d6]+[d7]+[d8]+[d9]+[d10]+[d11]+[d12]+[d13]+[d14]+[d15]+";
    s += "[d16]+[d17]+[d18]+[d19]+[d20]+[d21]+[d22]+[d23]+[d24]+[d25]+[d26]+[d27]+[d28]+[d29]+";
    s += "[d30]+[d31]) AS RTime ";
    s += "FROM Kyuyo_F INNER JOIN Syain_MT ON Kyuyo_F.SyainID = Syain_MT.SyainID ";
    s += "WHERE Year([Nengetu])=" + std::to_string(year);
    s += " GROUP BY Kyuyo_F.Nengetu, Kyuyo_F.SyainID, Kyuyo_F.SName, Kyuyo_F.TMony ";
    s += "ORDER BY Kyuyo_F.SyainID,NENGETU;";
    return s;
}

plat::jet::Currency monthAmount(const plat::jet::Currency& wage, double hours) {
    const plat::jet::Currency product = plat::jet::Currency::fromDouble(wage.toDouble() * hours);
    std::int64_t units = product.scaled / plat::jet::Currency::kScale;
    if (product.scaled < 0 && product.scaled % plat::jet::Currency::kScale != 0)
        --units;
    return plat::jet::Currency::fromUnits(units);
}

std::string yearInsertSql(const YearLine& line) {
    const bool withName = !line.sName.isNull();
    std::string s = "INSERT INTO PRTRUIKEI(NENGETU,SYAINID,TMONY,RTIME,MMONY";
    if (withName)
        s += ",SNAME";
    s += ")";
    s += " VALUES (#" + sqlDate(line.nengetu) + "#," + std::to_string(line.syainId) + "," +
         line.tMony.toText() + "," + doubleText(line.rTime) + "," +
         monthAmount(line.tMony, line.rTime).toText();
    if (withName)
        s += ",'" + plat::jet::sqlEscape(line.sName.toText()) + "'";
    s += ")";
    return s;
}

std::string employeeMonthCopySql(std::int64_t syainId, const plat::text::DateTime& month) {
    std::string s = copySqlHead();
    s += "Where SyainID=" + std::to_string(syainId);
    s += " And Nengetu=#" + sqlDate(month) + "# ORDER BY RowNo";
    return s;
}

std::string allEmployeesMonthCopySql(const plat::text::DateTime& month) {
    std::string s = copySqlHead();
    s += "Where Nengetu=#" + sqlDate(month);
    s += "# ORDER BY SyainID,RowNo";
    return s;
}

int statementDays(const plat::text::DateTime& month) {
    switch (month.month) {
    case 2:
        return month.year % 4 == 0 ? 29 : 28;
    case 4:
    case 6:
    case 9:
    case 11:
        return 30;
    default:
        return 31;
    }
}

plat::jet::Currency statementAmount(const std::string& hoursText, const std::string& wageText) {
    const auto hours = printedNumber(hoursText);
    const auto wage = printedNumber(wageText);
    if (!hours || !wage)
        return plat::jet::Currency::fromUnits(0);
    // Single-precision hours become money at four decimals before the multiplication, so a
    // printed 7.7 (held as 7.6999998…) counts as 7.7000.
    const auto scale = plat::jet::Currency::kScale;
    const std::int64_t h = std::llround(static_cast<double>(static_cast<float>(*hours)) * scale);
    const std::int64_t w = std::llround(*wage * scale);
    const std::int64_t product = h * w; // ten-thousandths squared
    const std::int64_t unit = scale * scale;
    std::int64_t units = product / unit;
    if (product < 0 && product % unit != 0)
        --units;
    return plat::jet::Currency::fromUnits(units);
}

} // namespace tamsel::reports

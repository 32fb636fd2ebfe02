// Reading and storing the overtime check's settings.
#include "app/overtime/OvertimeSettings.h"

#include "app/overtime/MonthFigures.h"

#include <string>

namespace tamsel::overtime {

namespace {
constexpr char kCreate[] = "CREATE TABLE IF NOT EXISTS ZANGYO_SET (HouteiKyujitu INTEGER, "
                           "TokubetuJoko INTEGER, NendoKaisi INTEGER)";
} // namespace

Settings loadSettings(plat::jet::Database& db) {
    Settings s;
    try {
        plat::jet::Recordset rs = db.openRecordset("SELECT * FROM ZANGYO_SET");
        if (rs.eof())
            return s;
        const std::int64_t weekday = rs["HouteiKyujitu"].toLong();
        const std::int64_t start = rs["NendoKaisi"].toLong();
        if (!rs["HouteiKyujitu"].isNull() && weekday >= 0 && weekday <= 6)
            s.holidayWeekday = static_cast<int>(weekday);
        s.specialClause = rs["TokubetuJoko"].toLong() != 0;
        if (start >= 1 && start <= 12)
            s.yearStartMonth = static_cast<int>(start);
    } catch (const plat::jet::Error& e) {
        if (e.number() != plat::jet::err::TableNotFound)
            throw;
    }
    return s;
}

void saveSettings(plat::jet::Database& db, const Settings& settings) {
    db.execute(kCreate);
    db.beginTrans();
    try {
        db.execute("DELETE * FROM ZANGYO_SET");
        db.execute("INSERT INTO ZANGYO_SET (HouteiKyujitu,TokubetuJoko,NendoKaisi) VALUES (" +
                   std::to_string(settings.holidayWeekday) + "," +
                   (settings.specialClause ? "1" : "0") + "," +
                   std::to_string(settings.yearStartMonth) + ")");
        db.commitTrans();
    } catch (...) {
        if (db.inTransaction())
            db.rollback();
        throw;
    }
}

int firstMonthOfYear(const Settings& settings, int year) {
    return monthIndex(year, settings.yearStartMonth);
}

int agreementYearOf(const Settings& settings, int year, int month) {
    return month >= settings.yearStartMonth ? year : year - 1;
}

} // namespace tamsel::overtime

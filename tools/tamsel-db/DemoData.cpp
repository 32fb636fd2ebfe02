// Demonstration data: Japanese names, wages of 1,100 to 2,500 yen an hour, sites registered
// before the first ledger month, and ledgers with realistic working days (one foreman beyond
// the overtime caps in the busy season).
#include "tools/tamsel-db/DemoData.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace tamseldb {

namespace {

using plat::text::DateTime;

constexpr std::array kFamilyNames = {"佐藤", "鈴木", "高橋", "田中", "伊藤", "渡辺",   "山本",
                                     "中村", "小林", "加藤", "吉田", "山田", "佐々木", "山口",
                                     "松本", "井上", "木村", "林",   "清水", "斎藤",   "森",
                                     "池田", "橋本", "石川", "前田"};
constexpr std::array kGivenNames = {"太郎", "健一", "誠",   "浩二", "大輔", "翔太", "隆",
                                    "和也", "茂",   "修",   "正樹", "直樹", "剛",   "勇気",
                                    "智也", "悟",   "恵子", "裕子", "美香", "洋平", "拓也"};
constexpr std::array kPlaces = {"中央", "駅前",   "港北", "東町", "西原", "南台",
                                "北山", "緑ヶ丘", "桜木", "本郷", "新川", "青葉",
                                "若葉", "旭",     "松原", "大和", "朝日", "富士見"};
constexpr std::array kWorks = {
    "ビル新築工事", "マンション改修工事", "小学校耐震補強工事", "倉庫新築工事", "店舗内装工事",
    "道路拡幅工事", "公民館改築工事",     "工場増築工事",       "住宅新築工事", "駐車場整備工事"};

// A fixed pseudo-random sequence (xorshift), so the data set is the same on every run.
class Sequence {
public:
    std::uint32_t next() {
        s_ ^= s_ << 13;
        s_ ^= s_ >> 17;
        s_ ^= s_ << 5;
        return s_;
    }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint32_t>(n)); }

private:
    std::uint32_t s_ = 2463534242u;
};

std::string sqlDate(const DateTime& d) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d/%02d/%02d", d.year, d.month, d.day);
    return buf;
}

std::string hoursText(double h) {
    char buf[32];
    auto r = std::to_chars(buf, buf + sizeof buf, static_cast<float>(h));
    return std::string(buf, r.ptr);
}

struct Line {
    int genbaId;
    std::string gname;
    std::array<double, 31> hours{};
};

// Hours of one working day: Sundays off; Saturdays half of them worked; weekdays mostly 8 h.
double dayHours(int weekday, Sequence& seq) {
    const int r = seq.below(100);
    if (weekday == 0)
        return 0;
    if (weekday == 6)
        return r < 50 ? 0 : (r < 75 ? 4 : 8);
    if (r < 85)
        return 8;
    if (r < 92)
        return 7.5;
    if (r < 96)
        return 4;
    return 0;
}

// The first employee is a foreman who works long days from autumn to the end of the fiscal
// year: ten hours from September, ten and a half with every Saturday and one Sunday a month
// from November. That takes him beyond the overtime caps, so the overtime check has something
// to show. Only hours already drawn are changed, so the other employees' data stay as they are.
void addBusySeason(const DateTime& month, std::vector<Line>& lines) {
    const bool peak = month.month >= 11 || month.month <= 3;
    if (!peak && month.month < 9)
        return;
    const int days = plat::text::daysInMonth(month.year, month.month);
    int sundays = 0;
    for (int d = 1; d <= days; ++d) {
        const auto at = static_cast<std::size_t>(d - 1);
        const int wd = plat::text::weekday(DateTime{month.year, month.month, d});
        Line* worked = &lines.front();
        for (Line& l : lines)
            if (l.hours[at] > 0)
                worked = &l;
        if (wd >= 1 && wd <= 5 && worked->hours[at] > 0)
            worked->hours[at] = peak ? 10.5 : 10;
        else if (wd == 6 && peak)
            worked->hours[at] = 8;
        else if (wd == 0 && peak && ++sundays == 2)
            worked->hours[at] = 8;
    }
}

struct Employee {
    std::int64_t id;
    std::string name;
    int wage;
};

struct Site {
    std::int64_t id;
    std::string name;
};

// The employees: a family name in turn with a drawn given name, and a drawn wage.
std::vector<Employee> addEmployees(plat::jet::Database& db, Sequence& seq, int count) {
    std::vector<Employee> employees;
    for (int i = 0; i < count; ++i) {
        std::string name =
            std::string(kFamilyNames[static_cast<std::size_t>(i) % kFamilyNames.size()]) + "　" +
            kGivenNames[static_cast<std::size_t>(seq.below(kGivenNames.size()))];
        const int wage = 1100 + 50 * seq.below(29); // 1,100 … 2,500
        db.execute("INSERT INTO SYAIN_MT (SName,TMony) VALUES ('" + plat::jet::sqlEscape(name) +
                   "'," + std::to_string(wage) + ")");
        employees.push_back({db.lastInsertId(), name, wage});
    }
    return employees;
}

// The sites: a place in turn with a drawn kind of work.
std::vector<Site> addSites(plat::jet::Database& db, Sequence& seq, int count,
                           const DateTime& firstMonth) {
    std::vector<Site> sites;
    for (int i = 0; i < count; ++i) {
        std::string name = std::string(kPlaces[static_cast<std::size_t>(i) % kPlaces.size()]) +
                           kWorks[static_cast<std::size_t>(seq.below(kWorks.size()))];
        // Registered on working days in the three months before the first ledger month.
        DateTime at = plat::text::addDays(plat::text::addMonths(firstMonth, -3), i * 6 + 1);
        at.hour = 8 + seq.below(9);
        at.minute = seq.below(60);
        db.execute("INSERT INTO GENBA_MT (GName,CrtDate) VALUES ('" + plat::jet::sqlEscape(name) +
                   "',#" + sqlDate(at) + " " + std::to_string(at.hour) + ":" +
                   std::to_string(at.minute) + "#)");
        sites.push_back({db.lastInsertId(), name});
    }
    return sites;
}

// One employee's ledger lines of a month: one to three sites, and each day's hours on one of
// them (most days on the first).
std::vector<Line> drawLines(Sequence& seq, const std::vector<Site>& sites, const DateTime& month) {
    std::vector<Line> lines;
    const int lineCount = 1 + seq.below(3);
    const int firstSite = seq.below(static_cast<int>(sites.size()));
    for (int k = 0; k < lineCount && k < static_cast<int>(sites.size()); ++k) {
        const Site& s =
            sites[static_cast<std::size_t>((firstSite + k * 5) % static_cast<int>(sites.size()))];
        lines.push_back({static_cast<int>(s.id), s.name, {}});
    }
    const int days = plat::text::daysInMonth(month.year, month.month);
    for (int d = 1; d <= days; ++d) {
        const int wd = plat::text::weekday(DateTime{month.year, month.month, d});
        const double h = dayHours(wd, seq);
        const int r = seq.below(100);
        const std::size_t line = r < 60 ? 0 : static_cast<std::size_t>(seq.below(lineCount));
        lines[line].hours[static_cast<std::size_t>(d - 1)] = h;
    }
    return lines;
}

// The ledger rows of one employee's month, numbered from 1.
void insertLedger(plat::jet::Database& db, const DateTime& month, const Employee& e, int wage,
                  const std::vector<Line>& lines) {
    using plat::jet::sqlEscape;
    const std::string date = sqlDate(month);
    for (std::size_t b = 0; b < lines.size(); ++b) {
        std::string sql = "INSERT INTO KYUYO_F (NENGETU,SYAINID,SNAME,TMONY"
                          ",ROWNO,GENBAID,GNAME";
        for (int d = 1; d <= 31; ++d)
            sql += ",D" + std::to_string(d);
        sql += ") VALUES (#" + date + "#," + std::to_string(e.id) + ",'" + sqlEscape(e.name) +
               "'," + std::to_string(wage) + "," + std::to_string(b + 1) + "," +
               std::to_string(lines[b].genbaId) + ",'" + sqlEscape(lines[b].gname) + "'";
        for (double h : lines[b].hours)
            sql += "," + hoursText(h);
        sql += ")";
        db.execute(sql);
    }
}

} // namespace

void fillDemoData(plat::jet::Database& db, const DateTime& today, const DemoSize& size) {
    Sequence seq;
    const DateTime lastMonth = plat::text::firstOfMonth(today);
    const DateTime firstMonth = plat::text::addMonths(lastMonth, -(size.months - 1));

    db.beginTrans();
    try {
        const std::vector<Employee> employees = addEmployees(db, seq, size.employees);
        const std::vector<Site> sites = addSites(db, seq, size.sites, firstMonth);
        for (DateTime month = firstMonth; month <= lastMonth;
             month = plat::text::addMonths(month, 1)) {
            // The year before the last twelve months paid 50 yen an hour less.
            const bool lastYear = month < plat::text::addMonths(lastMonth, -11);
            for (const Employee& e : employees) {
                std::vector<Line> lines = drawLines(seq, sites, month);
                if (&e == &employees.front())
                    addBusySeason(month, lines);
                insertLedger(db, month, e, lastYear ? e.wage - 50 : e.wage, lines);
            }
        }
        db.commitTrans();
    } catch (...) {
        if (db.inTransaction())
            db.rollback();
        throw;
    }
}

} // namespace tamseldb

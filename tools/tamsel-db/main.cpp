// tamsel-db: creates the application database (optionally with demonstration data) and runs
// one statement text against a database through the same layer the program uses.
#include "platform/jet/Database.h"
#include "platform/jet/Schema.h"
#include "tools/tamsel-db/ConsoleFormat.h"
#include "tools/tamsel-db/DemoData.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

namespace {

int usage() {
    std::cerr << "usage: tamsel-db init [--demo] [--force] PATH\n"
                 "       tamsel-db sql PATH \"STATEMENT\"\n";
    return 2;
}

int fail(const plat::jet::Error& e) {
    std::cerr << "error " << e.number() << ": " << e.description() << "\n";
    return 1;
}

bool isSelect(const std::string& sql) {
    std::size_t i = 0;
    while (i < sql.size() && (std::isspace(static_cast<unsigned char>(sql[i])) || sql[i] == '('))
        ++i;
    std::string word;
    while (i < sql.size() && std::isalpha(static_cast<unsigned char>(sql[i])))
        word += static_cast<char>(std::toupper(static_cast<unsigned char>(sql[i++])));
    return word == "SELECT" || word == "WITH" || word == "PRAGMA" || word == "EXPLAIN" ||
           (i == sql.size() && !word.empty());
}

int runInit(const std::vector<std::string>& args) {
    bool demo = false, force = false;
    std::string path;
    for (const auto& a : args) {
        if (a == "--demo")
            demo = true;
        else if (a == "--force")
            force = true;
        else if (!a.empty() && a[0] == '-')
            return usage();
        else if (path.empty())
            path = a;
        else
            return usage();
    }
    if (path.empty())
        return usage();
    struct stat st {};
    if (force && ::stat(path.c_str(), &st) == 0) {
        ::unlink(path.c_str());
        ::unlink((path + "-journal").c_str());
    }
    const auto today = plat::text::nowLocal();
    plat::jet::createSchema(path, plat::text::firstOfMonth(today));
    if (demo) {
        auto db = plat::jet::Database::open(path);
        tamseldb::fillDemoData(db, today);
    }
    return 0;
}

int runSql(const std::string& path, const std::string& sql) {
    auto db = plat::jet::Database::open(path);
    if (!isSelect(sql)) {
        std::cout << db.execute(sql) << "\n";
        return 0;
    }
    auto rs = db.openRecordset(sql);
    for (int i = 0; i < rs.fieldCount(); ++i)
        std::cout << (i ? "\t" : "") << rs.fieldName(i);
    std::cout << "\n";
    for (; !rs.eof(); rs.moveNext()) {
        for (int i = 0; i < rs.fieldCount(); ++i)
            std::cout << (i ? "\t" : "") << tamseldb::formatForConsole(rs.field(i));
        std::cout << "\n";
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty())
        return usage();
    try {
        if (args[0] == "init")
            return runInit({args.begin() + 1, args.end()});
        if (args[0] == "sql" && args.size() == 3)
            return runSql(args[1], args[2]);
        return usage();
    } catch (const plat::jet::Error& e) {
        return fail(e);
    }
}

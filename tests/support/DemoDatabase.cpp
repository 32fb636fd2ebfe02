// The demonstration data, in test programs linked with the database tool's support library.
#include "Databases.h"

#include "tools/tamsel-db/DemoData.h"

namespace testsupport {

std::filesystem::path demoProgramFolder(const std::string& name, Engine engine) {
    const std::filesystem::path home = programFolder(name);
    plat::jet::Database db = freshDatabase(home, engine);
    tamseldb::fillDemoData(db, {2004, 12, 15});
    return home;
}

} // namespace testsupport

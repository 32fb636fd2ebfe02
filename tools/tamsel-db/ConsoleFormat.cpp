// Console text of database values.
#include "tools/tamsel-db/ConsoleFormat.h"

#include <cstdio>

namespace tamseldb {

std::string formatForConsole(const plat::jet::Value& value) {
    using plat::jet::ValueType;
    if (value.type() != ValueType::Date)
        return value.toText();
    const auto d = value.toDate();
    char buf[32];
    if (d.hour == 0 && d.minute == 0 && d.second == 0)
        std::snprintf(buf, sizeof buf, "%04d/%02d/%02d", d.year, d.month, d.day);
    else
        std::snprintf(buf, sizeof buf, "%04d/%02d/%02d %02d:%02d:%02d", d.year, d.month, d.day,
                      d.hour, d.minute, d.second);
    return buf;
}

} // namespace tamseldb

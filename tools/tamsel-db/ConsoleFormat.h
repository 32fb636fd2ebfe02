// How the database console prints a value: Null as an empty field, dates as yyyy/mm/dd (with
// " hh:nn:ss" when the time is not midnight), currency with the decimals it has.
#pragma once

#include "platform/jet/Value.h"

#include <string>

namespace tamseldb {

std::string formatForConsole(const plat::jet::Value& value);

} // namespace tamseldb

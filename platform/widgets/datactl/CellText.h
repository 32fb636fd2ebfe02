// How a database value reads in a cell of the bound grid: numbers and currency through a
// number format, dates through a date format, text as it is, Null as an empty cell.
#pragma once

#include "platform/jet/Value.h"

#include <QString>

#include <string_view>

namespace plat::widgets {

// An empty format shows plain digits for numbers and "yyyy/mm/dd hh:nn:ss" for dates.
QString cellText(const plat::jet::Value& value, std::string_view format);

} // namespace plat::widgets

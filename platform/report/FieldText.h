// The text a field shows for a value and its display format.
#pragma once

#include "platform/report/Layout.h"
#include "platform/report/Value.h"

#include <string>
#include <string_view>

namespace plat::report {

// Null shows nothing; numbers, currency and dates go through the system's display formats;
// an empty format shows the value in its general form (shortest number, "yyyy/mm/dd" date);
// text that reads as a number or date is formatted like one, other text passes through.
std::string displayText(const Value& value, std::string_view format);

// The text of a page number field: "%1" and "%2" in the format become page and count for a
// composite field; a plain page number or count uses the format as a number format.
std::string pageFieldText(PageField pageField, std::string_view format, int page, int pageCount);

} // namespace plat::report

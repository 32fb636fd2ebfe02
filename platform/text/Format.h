// Display formats for numbers and dates ("#,##0.0", "yyyy/mm/dd", "ggge年mm月度", "d日(aaa)"),
// with the classic Format semantics. Text in and out is UTF-8.
#pragma once

#include "platform/text/DateTime.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace plat::text {

// Numbers: '0' and '#' digit places, ',' thousands grouping, '.' decimal point; the value is
// rounded half away from zero on its decimal text; negative values get a leading minus sign.
std::string formatNumber(double value, std::string_view format);

// Currency held as a 64-bit count of ten-thousandths (1.2345 is 12345); formatted exactly,
// without passing through a double.
std::string formatCurrency(std::int64_t scaledBy10000, std::string_view format);

// Dates: yyyy yy mm m dd d hh h nn n ss s, aaa (weekday 日..土), ggg (era name), e / ee (era
// year), "quoted" and \-escaped literals; any other character passes through.
std::string formatDate(const DateTime& value, std::string_view format);

} // namespace plat::text

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
// Sections "positive;negative;zero" pick the text by the value's sign (the negative section
// shows the value without its minus sign); '%' multiplies by 100; "quoted" and \-escaped text
// and any other character pass through. An empty format gives the plain decimal text.
// A double is taken at 15 significant digits.
std::string formatNumber(double value, std::string_view format);

// A single-precision value (hours) taken at its 7 significant digits, so 0.35f shows as 0.4
// under "#0.0" as it does on the ledger.
std::string formatSingle(float value, std::string_view format);

// Currency held as a 64-bit count of ten-thousandths (1.2345 is 12345); formatted exactly,
// without passing through a double.
std::string formatCurrency(std::int64_t scaledBy10000, std::string_view format);

// Dates: yyyy yy mm m dd d hh h nn n ss s, aaa (weekday 日..土), ggg (era name), e / ee (era
// year), "quoted" and \-escaped literals; any other character passes through.
std::string formatDate(const DateTime& value, std::string_view format);

} // namespace plat::text

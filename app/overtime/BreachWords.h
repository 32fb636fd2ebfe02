// The caps an employee breaks, said in words for the line under the grid and the report.
#pragma once

#include "app/overtime/YearCheck.h"

#include <string>
#include <string_view>
#include <vector>

namespace tamsel::overtime {

// Hours in tenths as the check shows them: "1,234.5".
std::string hoursText(Tenths tenths);

// An average of tenths over months as the check shows it: "85.25".
std::string averageText(const Average& average);

// One phrase per broken rule, in the order of the breaches; empty when the employee keeps
// every cap that applies.
std::vector<std::string> breachPhrases(const YearCheck& check, const EmployeeYear& year);

// The phrases joined into one line, or the words for keeping within the caps.
std::string breachLine(const YearCheck& check, const EmployeeYear& year);

// format with %1, %2, ... replaced by args.
std::string fillIn(std::string_view format, const std::vector<std::string>& args);

} // namespace tamsel::overtime

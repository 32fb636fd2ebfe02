// Programs run by the tests and waited for.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace testsupport {

// An environment variable of the child: set to the value, or unset without one.
using EnvSetting = std::pair<std::string, std::optional<std::string>>;

// Runs argv[0] (a path) with the arguments that follow, the environment changed by `env`, its
// output and errors appended to `log` when one is given; waits for it and returns its exit
// status (-1 when it did not exit, 127 when it could not be started).
int runProcess(const std::vector<std::string>& argv, const std::vector<EnvSetting>& env = {},
               const std::string& log = {});

} // namespace testsupport

// A CSV file read back by an independent parser (Python's csv module, which expects the UTF-8
// byte-order mark to be there and takes it off): its rows, heading row first.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace testsupport {

std::vector<std::vector<std::string>> readCsv(const std::filesystem::path& csv);

} // namespace testsupport

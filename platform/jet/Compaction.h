// Compaction of a database file into a new file, leaving the source untouched.
#pragma once

#include <functional>
#include <string>

namespace plat::jet {

// Called with 0 … 100 as the work proceeds.
using ProgressCallback = std::function<void(int percent)>;

// Writes a compacted copy of `source` to `target`. An existing target raises
// err::DatabaseExists (3204) and changes nothing; a missing source err::FileNotFound. On any
// failure a partly written target is removed again. The target is synced to disk on success.
void compactDatabase(const std::string& source, const std::string& target,
                     const ProgressCallback& progress = {});

} // namespace plat::jet

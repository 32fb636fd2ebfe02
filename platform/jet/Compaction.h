// Compaction of a database file into a new file, leaving the source untouched.
#pragma once

#include "platform/jet/FileUse.h"

#include <functional>
#include <string>

namespace plat::jet {

// Called with 0 … 100 as the work proceeds.
using ProgressCallback = std::function<void(int percent)>;

// Writes a compacted copy of `source` to `target`. The source is taken for this caller alone
// first: while any database handle has it open, err::InUse and nothing is written. An existing
// target raises err::DatabaseExists (3204) and changes nothing; a missing source
// err::FileNotFound. On any failure a partly written target is removed again. The target is
// synced to disk on success.
void compactDatabase(const std::string& source, const std::string& target,
                     const ProgressCallback& progress = {});

// The same for a caller that already holds `source` exclusively (FileUse::Mode::Exclusive), so
// that it can put the copy in the source's place before any other handle opens the file.
void compactHeldDatabase(const FileUse& exclusive, const std::string& source,
                         const std::string& target, const ProgressCallback& progress = {});

} // namespace plat::jet

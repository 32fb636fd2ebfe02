// Copying a whole database between engines (file to server, server to file, or alike): every
// table with every row and key as it is, and the key counters, in one transaction on the target.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace plat::jet {

struct TableCount {
    std::string table;
    std::int64_t rows = 0;
};

struct CopyReport {
    std::vector<TableCount> tables; // in name order
    // databaseChecksum() of the target, read back after the commit.
    std::uint64_t checksum = 0;
};

// Copies `source` into `target` (each a file path or a server URI). A target file that does not
// exist, or a server database without tables, gets the application schema first; tables of the
// source the schema lacks (the settings tables modules create) are created on the target with
// the same columns. A target that holds any row is refused (err::DatabaseExists) before
// anything is written; a failure rolls the copy back (a target file this call created is
// removed again).
CopyReport copyDatabase(const std::string& source, const std::string& target);

// The content of a database as one number, the same for the same rows on either engine: every
// row of every table (its values in column order, in any row order) and the key counters of
// SYAIN_MT and GENBA_MT.
std::uint64_t databaseChecksum(const std::string& location);

} // namespace plat::jet

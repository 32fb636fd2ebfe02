// The application database's tables, indexes and stored queries, for creating a new file.
#pragma once

#include "platform/text/DateTime.h"

#include <string>

namespace plat::jet {

// Creates a new database file at `path` with SYAIN_MT, GENBA_MT, KYUYO_F, the work tables
// PRTROUMUM and PRTRUIKEI, their indexes and the stored queries Q_SRoumuM, Q_PrtRuikei,
// Q_Genba (updatable) and Q_PrtRoumuG (for `reportMonth`). An existing file is an error
// (err::DatabaseExists); nothing is overwritten.
void createSchema(const std::string& path, const plat::text::DateTime& reportMonth);

} // namespace plat::jet

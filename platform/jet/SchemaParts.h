// Internal: the schema's statement texts both engines create a database from, and the server
// engine's schema creation (PgSchema.cpp).
#pragma once

#include "platform/text/DateTime.h"

#include <string>

namespace plat::jet {

// SYAIN_MT, GENBA_MT, KYUYO_F, PRTROUMUM, PRTRUIKEI, their indexes and the view Q_Genba, in the
// schema's declared types (translateSql turns them into the server's types).
std::string tablesSql();
// The views Q_SRoumuM and Q_PrtRuikei over the work tables.
std::string workQueriesSql();
// The site report's stored query Q_PrtRoumuG as the inquiry screen rewrites it for a month.
std::string siteReportQuery(const plat::text::DateTime& month);

// Creates the schema in the empty server database `uri` names, in one transaction; a database
// that already holds tables raises err::DatabaseExists and is left as it was.
void createServerSchema(const std::string& uri, const plat::text::DateTime& reportMonth);

} // namespace plat::jet

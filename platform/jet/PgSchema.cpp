// The application schema on a server database: the same tables and stored queries as a new
// file, with the server's own means where SQLite's differ (triggers written in PL/pgSQL).
#include "platform/jet/Database.h"
#include "platform/jet/PgConnection.h"
#include "platform/jet/SchemaParts.h"
#include "platform/jet/SqlDialect.h"

namespace plat::jet {

namespace {

// A Null written into a day column is stored as 0, as the file's ON CONFLICT REPLACE does.
std::string dayZeroTriggersSql() {
    std::string body;
    for (int d = 1; d <= 31; ++d)
        body +=
            "  NEW.d" + std::to_string(d) + " := COALESCE(NEW.d" + std::to_string(d) + ", 0);\n";
    std::string s = "CREATE FUNCTION jet_days_zero() RETURNS trigger LANGUAGE plpgsql AS $$\n"
                    "BEGIN\n" +
                    body + "  RETURN NEW;\nEND $$;\n";
    for (const char* t : {"kyuyo_f", "prtroumum"})
        s += std::string("CREATE TRIGGER ") + t + "_days_zero BEFORE INSERT OR UPDATE ON " + t +
             " FOR EACH ROW EXECUTE FUNCTION jet_days_zero();\n";
    return s;
}

// Q_Genba through the site master: GName is edited, the key and the registration time stay as
// the database assigned them; an insert hands its new key back (INSERT … RETURNING).
constexpr char kGenbaTriggers[] = R"sql(
CREATE FUNCTION q_genba_write() RETURNS trigger LANGUAGE plpgsql AS $$
BEGIN
  IF TG_OP = 'INSERT' THEN
    INSERT INTO genba_mt (genbaid, gname, crtdate)
      VALUES (COALESCE(NEW.genbaid, nextval(pg_get_serial_sequence('genba_mt', 'genbaid'))),
              NEW.gname, COALESCE(NEW.crtdate, LOCALTIMESTAMP(0)))
      RETURNING genbaid, gname, crtdate INTO NEW.genbaid, NEW.gname, NEW.crtdate;
    RETURN NEW;
  ELSIF TG_OP = 'UPDATE' THEN
    UPDATE genba_mt SET gname = NEW.gname WHERE genbaid = OLD.genbaid;
    IF NOT FOUND THEN RETURN NULL; END IF;
    RETURN NEW;
  ELSE
    DELETE FROM genba_mt WHERE genbaid = OLD.genbaid;
    IF NOT FOUND THEN RETURN NULL; END IF;
    RETURN OLD;
  END IF;
END $$;
CREATE TRIGGER q_genba_write INSTEAD OF INSERT OR UPDATE OR DELETE ON q_genba
  FOR EACH ROW EXECUTE FUNCTION q_genba_write();
)sql";

// A row inserted with a key of its own (a copied database, a test) moves the key counter past
// it, so keys the database assigns later never collide with it and are never given out twice,
// as with the file's AUTOINCREMENT.
constexpr char kKeyCounterTriggers[] = R"sql(
CREATE FUNCTION jet_keep_counter() RETURNS trigger LANGUAGE plpgsql AS $$
DECLARE
  seq text := pg_get_serial_sequence(TG_TABLE_NAME, TG_ARGV[0]);
  id bigint := (to_jsonb(NEW) ->> TG_ARGV[0])::bigint;
  last bigint;
  called boolean;
BEGIN
  EXECUTE 'SELECT last_value, is_called FROM ' || seq INTO last, called;
  IF id > last OR NOT called THEN
    PERFORM setval(seq, GREATEST(id, CASE WHEN called THEN last ELSE last - 1 END));
  END IF;
  RETURN NEW;
END $$;
CREATE TRIGGER syain_mt_counter BEFORE INSERT ON syain_mt
  FOR EACH ROW EXECUTE FUNCTION jet_keep_counter('syainid');
CREATE TRIGGER genba_mt_counter BEFORE INSERT ON genba_mt
  FOR EACH ROW EXECUTE FUNCTION jet_keep_counter('genbaid');
)sql";

} // namespace

void createServerSchema(const std::string& uri, const plat::text::DateTime& reportMonth) {
    auto conn = PgConnection::connect(uri);
    PgResult existing =
        conn->run("SELECT count(*) FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace "
                  "WHERE n.nspname = current_schema() AND c.relkind IN ('r','v','p')");
    if (std::string(PQgetvalue(existing.get(), 0, 0)) != "0")
        throw Error(err::DatabaseExists, uri);
    conn->exec("BEGIN");
    try {
        conn->exec(translateSql(tablesSql(), SqlEngine::Postgres));
        conn->exec(dayZeroTriggersSql());
        conn->exec(kGenbaTriggers);
        conn->exec(kKeyCounterTriggers);
        conn->exec(translateSql(workQueriesSql(), SqlEngine::Postgres));
        conn->exec("CREATE VIEW q_prtroumug AS " +
                   translateSql(siteReportQuery(reportMonth), SqlEngine::Postgres));
        conn->exec("COMMIT");
    } catch (...) {
        PgResult end(PQexec(conn->raw(), "ROLLBACK"));
        throw;
    }
}

} // namespace plat::jet

// The test cluster: found, initialised and started once per test program (on the first server
// database a test asks for).
#include "PgCluster.h"
#include "Process.h"

#include <libpq-fe.h>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <vector>

namespace testsupport {

namespace {

namespace fs = std::filesystem;

// The newest installed server's programs, or TAMSEL_PG_BINDIR.
std::string findBinDir() {
    if (const char* env = std::getenv("TAMSEL_PG_BINDIR"); env && *env)
        return fs::exists(fs::path(env) / "initdb") ? env : "";
    std::string best;
    int bestVersion = -1;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator("/usr/lib/postgresql", ec)) {
        const std::string v = e.path().filename().string();
        const int n = std::atoi(v.c_str());
        if (n > bestVersion && fs::exists(e.path() / "bin" / "initdb") &&
            fs::exists(e.path() / "bin" / "pg_ctl")) {
            bestVersion = n;
            best = (e.path() / "bin").string();
        }
    }
    return best;
}

// Runs a program (as `user` when given) and waits for it; its output goes to `log`.
int run(const std::vector<std::string>& argv, const std::string& user, const std::string& log) {
    std::vector<std::string> full;
    if (!user.empty())
        full = {"/usr/sbin/runuser", "-u", user, "--"};
    full.insert(full.end(), argv.begin(), argv.end());
    return runProcess(full, {}, log);
}

class Cluster {
public:
    Cluster() : bin_(findBinDir()) {
        if (bin_.empty())
            throw std::runtime_error("no PostgreSQL server programs");
        const bool root = geteuid() == 0;
        user_ = root ? "postgres" : (getpwuid(geteuid()) ? getpwuid(geteuid())->pw_name : "");
        char tmpl[] = "/tmp/tamsel-pg-XXXXXX";
        if (!mkdtemp(tmpl))
            throw std::runtime_error("mkdtemp failed");
        dir_ = tmpl;
        if (root) {
            const passwd* pw = getpwnam("postgres");
            if (!pw || chown(dir_.c_str(), pw->pw_uid, pw->pw_gid) != 0)
                throw std::runtime_error("cannot hand the cluster folder to the postgres user");
        }
        const std::string runAs = root ? "postgres" : "";
        const std::string data = dir_ + "/data";
        const std::string log = dir_ + "/setup.log";
        if (run({bin_ + "/initdb", "-D", data, "-U", user_, "-A", "trust", "-E", "UTF8",
                 "--locale=C", "--no-sync"},
                runAs, log) != 0)
            throw std::runtime_error("initdb failed, see " + log);
        // Only the socket in the cluster's folder; no durability needed for test data.
        const std::string options = "-c listen_addresses='' -k " + dir_ +
                                    " -c fsync=off -c synchronous_commit=off "
                                    "-c full_page_writes=off -c max_connections=60";
        if (run({bin_ + "/pg_ctl", "-D", data, "-o", options, "-l", dir_ + "/server.log", "-w",
                 "-s", "start"},
                runAs, log) != 0)
            throw std::runtime_error("pg_ctl start failed, see " + dir_ + "/server.log");
        owner_ = getpid();
    }

    ~Cluster() {
        // Children forked by tests end without stopping their parent's server.
        if (getpid() != owner_)
            return;
        run({bin_ + "/pg_ctl", "-D", dir_ + "/data", "-m", "immediate", "-w", "-s", "stop"},
            geteuid() == 0 ? "postgres" : "", "");
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }

    std::string uri(const std::string& db) const {
        return "postgresql:///" + db + "?host=" + dir_ + "&user=" + user_;
    }

    void admin(const std::string& sql) const {
        PGconn* c = PQconnectdb(uri("postgres").c_str());
        std::unique_ptr<PGconn, decltype(&PQfinish)> guard(c, PQfinish);
        if (PQstatus(c) != CONNECTION_OK)
            throw std::runtime_error(PQerrorMessage(c));
        PGresult* r = PQexec(c, sql.c_str());
        const bool ok =
            PQresultStatus(r) == PGRES_COMMAND_OK || PQresultStatus(r) == PGRES_TUPLES_OK;
        const std::string msg = PQerrorMessage(c);
        PQclear(r);
        if (!ok)
            throw std::runtime_error(sql + ": " + msg);
    }

    int next = 0;

private:
    std::string bin_;
    std::string user_;
    std::string dir_;
    pid_t owner_ = 0;
};

Cluster& cluster() {
    static Cluster c;
    return c;
}

} // namespace

std::string serverSkipReason() {
    return findBinDir().empty() ? "PostgreSQL server programs (initdb, pg_ctl) are not installed"
                                : "";
}

std::string newServerDatabase() {
    Cluster& c = cluster();
    const std::string name = "t" + std::to_string(getpid()) + "_" + std::to_string(++c.next);
    c.admin("CREATE DATABASE " + name);
    return c.uri(name);
}

std::string serverUri(const std::string& name) {
    return cluster().uri(name);
}

void serverAdmin(const std::string& sql) {
    cluster().admin(sql);
}

} // namespace testsupport

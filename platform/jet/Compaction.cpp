// Compaction: copy the source page by page into a new file (reporting progress), rebuild the
// copy without free space, and sync it to disk. The source is only read.
#include "platform/jet/Compaction.h"

#include "platform/jet/Connection.h"
#include "platform/jet/Database.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace plat::jet {

namespace {

constexpr int kPagesPerStep = 64;

sqlite3* openExisting(const std::string& path) {
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK) {
        const Error e = sqliteError(rc, db);
        sqlite3_close_v2(db);
        throw e;
    }
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, Database::kDefaultBusyTimeoutMs);
    return db;
}

void syncFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0 || ::fsync(fd) != 0) {
        if (fd >= 0)
            ::close(fd);
        throw Error(err::DiskError, path);
    }
    ::close(fd);
}

} // namespace

void compactDatabase(const std::string& source, const std::string& target,
                     const ProgressCallback& progress) {
    struct stat st {};
    if (::stat(source.c_str(), &st) != 0)
        throw Error(err::FileNotFound, source);
    const FileUse exclusive = FileUse::acquire(source, FileUse::Mode::Exclusive);
    compactHeldDatabase(exclusive, source, target, progress);
}

void compactHeldDatabase(const FileUse& exclusive, const std::string& source,
                         const std::string& target, const ProgressCallback& progress) {
    if (!exclusive.held())
        throw Error(err::InUse, source);
    struct stat st {};
    if (::stat(source.c_str(), &st) != 0)
        throw Error(err::FileNotFound, source);
    // Claiming the target name atomically is what makes an existing target an error that
    // changes nothing, even when two compactions race.
    const int fd = ::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (fd < 0)
        throw Error(errno == EEXIST ? err::DatabaseExists : err::CannotOpen, target);
    ::close(fd);

    auto report = [&](int percent) {
        if (progress)
            progress(percent);
    };
    try {
        report(0);
        Connection src(openExisting(source), source);
        // Proves the source is a database (and rolls back a crashed writer's journal).
        src.exec("SELECT count(*) FROM sqlite_master");
        Connection dst(openExisting(target), target);
        dst.exec("PRAGMA synchronous=FULL");
        sqlite3_backup* b = sqlite3_backup_init(dst.db(), "main", src.db(), "main");
        if (!b)
            dst.raise(sqlite3_errcode(dst.db()));
        // A step that finds another program committing waits the busy timeout inside SQLite,
        // then fails as locked. A commit between steps makes the copy start again, so the copy
        // is always one committed state.
        int rc;
        while ((rc = sqlite3_backup_step(b, kPagesPerStep)) == SQLITE_OK) {
            const int total = sqlite3_backup_pagecount(b);
            const int left = sqlite3_backup_remaining(b);
            if (total > 0)
                report(static_cast<int>(70LL * (total - left) / total));
        }
        sqlite3_backup_finish(b);
        if (rc != SQLITE_DONE)
            dst.raise(rc);
        report(70);
        dst.exec("PRAGMA journal_mode=DELETE");
        dst.exec("VACUUM");
        report(95);
        const int check = sqlite3_exec(dst.db(), "PRAGMA quick_check", nullptr, nullptr, nullptr);
        if (check != SQLITE_OK)
            dst.raise(check);
    } catch (...) {
        ::unlink(target.c_str());
        ::unlink((target + "-journal").c_str());
        throw;
    }
    syncFile(target);
    report(100);
}

} // namespace plat::jet

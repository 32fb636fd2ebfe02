// Who has a database file open. Every open database handle marks the file as in use; compaction
// needs the file for itself alone and refuses while any other handle — of this program or of
// another copy — has it open, so no copy can commit into a file that is about to be replaced.
#pragma once

#include <string>

namespace plat::jet {

// A mark on the lock file beside the database (database path + "-lock"), held as an
// open-file-description lock: a shared mark per open handle, an exclusive one for compaction.
// Locks of this kind belong to the open file itself, not to the process, so two handles in
// one program count as two users, and closing some other descriptor of the file never drops
// a mark (as it would a plain POSIX lock on the database file, which SQLite's own locking
// opens and closes).
class FileUse {
public:
    enum class Mode { Shared, Exclusive };

    // Shared: fails with err::CannotOpen while compaction holds the file. When the lock file
    // cannot be created at all (a read-only folder) the handle goes unmarked.
    // Exclusive: fails with err::InUse while any handle has the file open, with
    // err::CannotOpen when the lock file cannot be created.
    static FileUse acquire(const std::string& databasePath, Mode mode);

    FileUse() = default;
    FileUse(FileUse&& o) noexcept;
    FileUse& operator=(FileUse&& o) noexcept;
    FileUse(const FileUse&) = delete;
    FileUse& operator=(const FileUse&) = delete;
    ~FileUse();

    bool held() const { return fd_ >= 0; }
    // Gives the mark up at once (also done on destruction).
    void release();

    static std::string lockPath(const std::string& databasePath);

private:
    explicit FileUse(int fd) : fd_(fd) {}
    int fd_ = -1;
};

} // namespace plat::jet

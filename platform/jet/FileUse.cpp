// Presence marks on the lock file beside a database, as open-file-description locks.
#include "platform/jet/FileUse.h"

#include "platform/jet/Error.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace plat::jet {

namespace {

// The whole lock file, from its first byte on; the file itself stays empty.
bool lockWhole(int fd, short type) {
    struct flock fl {};
    fl.l_type = type;
    fl.l_whence = SEEK_SET;
    fl.l_start = 0;
    fl.l_len = 0;
    int rc;
    do {
        rc = ::fcntl(fd, F_OFD_SETLK, &fl);
    } while (rc != 0 && errno == EINTR);
    return rc == 0;
}

} // namespace

std::string FileUse::lockPath(const std::string& databasePath) {
    return databasePath + "-lock";
}

FileUse FileUse::acquire(const std::string& databasePath, Mode mode) {
    const std::string lock = lockPath(databasePath);
    int fd = ::open(lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0 && mode == Mode::Shared)
        fd = ::open(lock.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (mode == Mode::Shared)
            return FileUse();
        throw Error(err::CannotOpen, lock);
    }
    if (lockWhole(fd, mode == Mode::Shared ? F_RDLCK : F_WRLCK))
        return FileUse(fd);
    const int why = errno;
    ::close(fd);
    if (why != EAGAIN && why != EACCES) {
        if (mode == Mode::Shared)
            return FileUse(); // a file system without such locks: the handle goes unmarked
        throw Error(err::CannotOpen, lock);
    }
    throw Error(mode == Mode::Shared ? err::CannotOpen : err::InUse, databasePath);
}

FileUse::FileUse(FileUse&& o) noexcept : fd_(std::exchange(o.fd_, -1)) {}

FileUse& FileUse::operator=(FileUse&& o) noexcept {
    if (this != &o) {
        release();
        fd_ = std::exchange(o.fd_, -1);
    }
    return *this;
}

FileUse::~FileUse() {
    release();
}

void FileUse::release() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

} // namespace plat::jet

// The file-system operations of compaction and backup, as a small set of functions so a test
// can make one of them fail (a rename refused by the system, a full disk during a copy).
#pragma once

#include <QString>

#include <functional>

namespace tamsel {

struct FileOps {
    // Each returns true on success.
    std::function<bool(const QString& from, const QString& to)> renameReplacing;
    std::function<bool(const QString& from, const QString& to)> copyFile;
    std::function<bool(const QString& path)> removeFile;
    std::function<bool(const QString& path)> folderExists;
    std::function<bool(const QString& path)> fileExists;
    // Creates one folder level; the parent must exist.
    std::function<bool(const QString& path)> createFolder;
};

// The real operations on the local file system.
const FileOps& realFileOps();

} // namespace tamsel

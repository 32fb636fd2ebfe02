// File-system operations on the local disk. Renames replace their target in one step (no
// moment in which neither file exists); copies go through a temporary file in the target's
// folder, so an interrupted copy never destroys the previous copy.
#include "app/frame/FileOps.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

#include <unistd.h>

namespace tamsel {

namespace {
bool renameReplacing(const QString& from, const QString& to) {
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

bool copyFile(const QString& from, const QString& to) {
    const QString temp = to + QStringLiteral(".copying");
    QFile::remove(temp);
    if (!QFile::copy(from, temp))
        return false;
    {
        QFile written(temp);
        if (!written.open(QIODevice::ReadOnly) || ::fsync(written.handle()) != 0) {
            QFile::remove(temp);
            return false;
        }
    }
    if (!renameReplacing(temp, to)) {
        QFile::remove(temp);
        return false;
    }
    return true;
}

bool createFolder(const QString& path) {
    const QFileInfo info(path);
    if (!QFileInfo(info.absolutePath()).isDir())
        return false;
    return QDir().mkdir(path);
}
} // namespace

const FileOps& realFileOps() {
    static const FileOps ops{
        renameReplacing,
        copyFile,
        [](const QString& p) { return QFile::remove(p); },
        [](const QString& p) { return QFileInfo(p).isDir(); },
        [](const QString& p) { return QFileInfo::exists(p); },
        createFolder,
    };
    return ops;
}

} // namespace tamsel

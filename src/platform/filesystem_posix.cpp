#include "platform/filesystem.h"

#include "platform/renamesteps.h"
#include "platform/systempath.h"

#include <sys/stat.h>
#include <unistd.h>

namespace namlex::platform {

// Both work on the raw bytes of the names: Qt's file classes cannot address
// names that are not valid UTF-8, and QFile::rename copies and deletes when a
// rename fails.
bool renameNoReplace(const QString &fromPath, const QString &toPath)
{
    const std::optional<QByteArray> from = systemPath(fromPath);
    const std::optional<QByteArray> to = systemPath(toPath);
    if (!from || !to)
        return false;
    return renameInSteps(from->constData(), to->constData(), systemRenameCalls());
}

bool deleteFile(const QString &path)
{
    const std::optional<QByteArray> bytes = systemPath(path);
    if (!bytes)
        return false;
    // Exactly one regular file, or a link (never its target). Folders,
    // pipes, sockets and device nodes are no music files.
    struct stat info = {};
    if (::lstat(bytes->constData(), &info) != 0 || !(S_ISREG(info.st_mode) || S_ISLNK(info.st_mode)))
        return false;
    // A file without any write permission is write-protected, as a read-only
    // file is elsewhere: it is kept, even for a user whom the system would
    // let remove it.
    if (S_ISREG(info.st_mode) && (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return false;
    return ::unlink(bytes->constData()) == 0;
}

} // namespace namlex::platform

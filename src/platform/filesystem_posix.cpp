#include "platform/filesystem.h"

#include "platform/renamesteps.h"
#include "platform/systempath.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace namlex::platform {

namespace {

EntryKind kindOfMode(mode_t mode)
{
    if (S_ISREG(mode))
        return EntryKind::File;
    if (S_ISDIR(mode))
        return EntryKind::Folder;
    if (S_ISLNK(mode))
        return EntryKind::Link;
    return EntryKind::Other;
}

} // namespace

// Both work on the raw bytes of the names: Qt's file classes cannot address
// names that are not valid UTF-8, and QFile::rename copies and deletes when a
// rename fails.
RenameResult renameNoReplace(const QString &fromPath, const QString &toPath)
{
    const std::optional<QByteArray> from = systemPath(fromPath);
    const std::optional<QByteArray> to = systemPath(toPath);
    if (!from || !to)
        return {RenameFailure::ImpossibleName, 0, std::nullopt};
    const int error = renameInSteps(from->constData(), to->constData(), systemRenameCalls());
    if (error == 0)
        return {};
    RenameResult result {failureOfError(error), error, std::nullopt};
    if (result.failure == RenameFailure::NameTaken) {
        if (const std::optional<FileIdentity> taker = identityOf(toPath))
            result.takenBy = taker->kind;
    }
    return result;
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

std::optional<EntryKind> kindOf(const QString &path)
{
    const std::optional<QByteArray> bytes = systemPath(path);
    struct stat info = {};
    if (!bytes || ::stat(bytes->constData(), &info) != 0)
        return std::nullopt;
    return kindOfMode(info.st_mode);
}

std::optional<FileIdentity> identityOf(const QString &path)
{
    const std::optional<QByteArray> bytes = systemPath(path);
    struct stat info = {};
    if (!bytes || ::lstat(bytes->constData(), &info) != 0)
        return std::nullopt;
    return FileIdentity {qint64(info.st_dev), qint64(info.st_ino), qint64(info.st_size),
                         qint64(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec,
                         kindOfMode(info.st_mode)};
}

bool flushToDisk(QFileDevice &file)
{
    return file.flush() && ::fsync(file.handle()) == 0;
}

bool flushFolderToDisk(const QString &folder)
{
    const std::optional<QByteArray> bytes = systemPath(folder);
    const int fd = bytes ? ::open(bytes->constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC) : -1;
    if (fd < 0)
        return false;
    const bool flushed = ::fsync(fd) == 0;
    ::close(fd);
    return flushed;
}

int maxNameBytes(const QString &folder)
{
    const std::optional<QByteArray> bytes = systemPath(folder);
    const long max = bytes ? ::pathconf(bytes->constData(), _PC_NAME_MAX) : -1;
    // Where the file system does not say, the common limit.
    return max > 0 ? int(max) : 255;
}

} // namespace namlex::platform

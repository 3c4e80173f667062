#include "platform/privatefolder.h"

#include "platform/systempath.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace namlex::platform {

namespace {

Problem failure(int error)
{
    return {causeOfError(error), std::nullopt, QString(), error};
}

// Opens the folder, following a link to it, so that what is checked is
// what is used.
int openFolder(const QByteArray &path)
{
    return ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

// Why the folder open as `fd` cannot be trusted with the user's own files,
// or, `writing`, not be written to.
Problem trustOf(int fd, bool writing)
{
    struct stat info
    { };
    const bool read = ::fstat(fd, &info) == 0;
    const int error = errno;
    ::close(fd);
    if (!read)
        return failure(error);
    if (info.st_uid != ::geteuid())
        return {Cause::NotOwnFolder};
    if ((info.st_mode & (S_IWGRP | S_IWOTH)) != 0)
        return {Cause::FolderOpenToOthers};
    // The mode the owner gave the folder counts even for root, who could
    // write regardless.
    if (writing && (info.st_mode & (S_IWUSR | S_IXUSR)) != (S_IWUSR | S_IXUSR))
        return {Cause::NoPermission, std::nullopt, QString(), EACCES};
    return {};
}

// Why the folder cannot be opened: something else under its name, or
// whatever stands in the way of its path.
Problem openFailure(const QByteArray &path)
{
    const int error = errno;
    struct stat info
    { };
    if ((error == ENOTDIR || error == ENOENT) && ::lstat(path.constData(), &info) == 0)
        return {Cause::NameTaken, S_ISLNK(info.st_mode) ? EntryKind::Link : EntryKind::File};
    return failure(error);
}

} // namespace

Problem makePrivateFolder(const QString &path)
{
    const std::optional<QByteArray> bytes = systemPath(path);
    if (!bytes)
        return {Cause::ImpossibleName};
    int fd = openFolder(*bytes);
    if (fd < 0 && errno == ENOENT) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        if (::mkdir(bytes->constData(), S_IRWXU) == 0 || errno == EEXIST)
            fd = openFolder(*bytes);
    }
    return fd < 0 ? openFailure(*bytes) : trustOf(fd, true);
}

Problem checkPrivateFolder(const QString &path)
{
    const std::optional<QByteArray> bytes = systemPath(path);
    if (!bytes)
        return {Cause::ImpossibleName};
    const int fd = openFolder(*bytes);
    return fd < 0 ? failure(errno) : trustOf(fd, false);
}

} // namespace namlex::platform

#include "platform/plainfile.h"

#include "platform/systempath.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace namlex::platform {

PlainFile::PlainFile(const QString &path)
    : path_(path)
{ }

Problem PlainFile::openPlain(QIODevice::OpenMode mode)
{
    const std::optional<QByteArray> bytes = systemPath(path_);
    if (!bytes)
        return {Cause::ImpossibleName};
    const bool writes = mode.testFlag(QIODevice::WriteOnly);
    int flags = O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;
    flags |= mode.testFlag(QIODevice::ReadOnly) && writes ? O_RDWR : writes ? O_WRONLY : O_RDONLY;
    if (writes && !mode.testFlag(QIODevice::ExistingOnly))
        flags |= O_CREAT;
    if (mode.testFlag(QIODevice::NewOnly))
        flags |= O_CREAT | O_EXCL;
    // Not blocking: a pipe planted under the name would wait for a writer.
    const int fd = ::open(bytes->constData(), flags, S_IRUSR | S_IWUSR);
    if (fd < 0) {
        const int error = errno;
        return error == ELOOP ? Problem {Cause::NotAFile, EntryKind::Link}
                              : Problem {causeOfError(error), std::nullopt, QString(), error};
    }
    struct stat info
    { };
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_nlink != 1) {
        ::close(fd);
        return {Cause::NotAFile, S_ISREG(info.st_mode) ? EntryKind::Link : EntryKind::Other};
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!open(fd, mode & ~(QIODevice::NewOnly | QIODevice::ExistingOnly),
              QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return {Cause::Other};
    }
    return {};
}

bool PlainFile::remove()
{
    close();
    const std::optional<QByteArray> bytes = systemPath(path_);
    return bytes && ::unlink(bytes->constData()) == 0;
}

} // namespace namlex::platform

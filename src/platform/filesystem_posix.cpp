#include "platform/filesystem.h"

#include "platform/systempath.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace namlex::platform {

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

// flock, not fcntl's record locks: those would be lost when any other open
// of the same file in this program is closed.
bool tryLock(QFileDevice &file)
{
    return file.handle() >= 0 && ::flock(file.handle(), LOCK_EX | LOCK_NB) == 0;
}

bool waitForLock(QFileDevice &file)
{
    while (file.handle() >= 0) {
        if (::flock(file.handle(), LOCK_EX) == 0)
            return true;
        if (errno != EINTR)
            return false;
    }
    return false;
}

} // namespace namlex::platform

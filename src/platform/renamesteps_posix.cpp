#include "platform/renamesteps.h"

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace namlex::platform {

namespace {

int errorOf(int result)
{
    return result == 0 ? 0 : errno;
}

int renameat2NoReplace(int fd, const char *from, const char *to)
{
#if defined(RENAME_NOREPLACE)
    return errorOf(::renameat2(fd, from, fd, to, RENAME_NOREPLACE));
#elif defined(SYS_renameat2)
    // Older C libraries lack the wrapper; the kernel's flag value is 1.
    return errorOf(static_cast<int>(::syscall(SYS_renameat2, fd, from, fd, to, 1)));
#else
    (void)fd;
    (void)from;
    (void)to;
    return ENOSYS;
#endif
}

} // namespace

RenameCalls systemRenameCalls(int folderFd)
{
    const int fd = folderFd;
    return {
        [fd](const char *from, const char *to) { return renameat2NoReplace(fd, from, to); },
        [fd](const char *from, const char *to) { return errorOf(::linkat(fd, from, fd, to, 0)); },
        [fd](const char *name) { return errorOf(::unlinkat(fd, name, 0)); },
        [fd](const char *name) {
            const int file = ::openat(fd, name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
            return file < 0 ? errno : errorOf(::close(file));
        },
        [fd](const char *from, const char *to) { return errorOf(::renameat(fd, from, fd, to)); },
    };
}

int renameInSteps(const char *from, const char *to, const RenameCalls &calls)
{
    // FUSE mounts and NFS refuse the flag with EINVAL, very old kernels lack
    // the call. On an existing target the kernel answers EEXIST first.
    const int renameError = calls.renameNoReplace(from, to);
    if (renameError != EINVAL && renameError != ENOSYS && renameError != EOPNOTSUPP)
        return renameError;

    // link fails on an existing target, so it cannot replace anything.
    const int linkError = calls.link(from, to);
    if (linkError == 0) {
        const int unlinkError = calls.unlink(from);
        if (unlinkError == 0)
            return 0;
        // The file must not end up with two names.
        calls.unlink(to);
        return unlinkError;
    }
    // FAT and exFAT know no hard links.
    if (linkError != EPERM && linkError != EOPNOTSUPP && linkError != ENOSYS && linkError != EXDEV)
        return linkError;

    // Last resort: take the new name with a file that only this program
    // created, then rename over it. The exclusive create fails on any entry
    // of that name, also one that differs only in case, so a file created by
    // another program at the same moment is never replaced.
    if (const int createError = calls.createExclusive(to))
        return createError;
    const int error = calls.rename(from, to);
    if (error != 0)
        calls.unlink(to);
    return error;
}

} // namespace namlex::platform

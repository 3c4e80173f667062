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

int renameat2NoReplace(const char *from, const char *to)
{
#if defined(RENAME_NOREPLACE)
    return errorOf(::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE));
#elif defined(SYS_renameat2)
    // Older C libraries lack the wrapper; the kernel's flag value is 1.
    return errorOf(static_cast<int>(::syscall(SYS_renameat2, AT_FDCWD, from, AT_FDCWD, to, 1)));
#else
    (void)from;
    (void)to;
    return ENOSYS;
#endif
}

} // namespace

RenameCalls systemRenameCalls()
{
    return {
        renameat2NoReplace,
        [](const char *from, const char *to) { return errorOf(::link(from, to)); },
        [](const char *path) { return errorOf(::unlink(path)); },
        [](const char *path) {
            const int fd = ::open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
            return fd < 0 ? errno : errorOf(::close(fd));
        },
        [](const char *from, const char *to) { return errorOf(::rename(from, to)); },
    };
}

bool renameInSteps(const char *from, const char *to, const RenameCalls &calls)
{
    // FUSE mounts and NFS refuse the flag with EINVAL, very old kernels lack
    // the call. On an existing target the kernel answers EEXIST first.
    const int renameError = calls.renameNoReplace(from, to);
    if (renameError == 0)
        return true;
    if (renameError != EINVAL && renameError != ENOSYS && renameError != EOPNOTSUPP)
        return false;

    // link fails on an existing target, so it cannot replace anything.
    const int linkError = calls.link(from, to);
    if (linkError == 0) {
        if (calls.unlink(from) == 0)
            return true;
        // The file must not end up with two names.
        calls.unlink(to);
        return false;
    }
    // FAT and exFAT know no hard links.
    if (linkError != EPERM && linkError != EOPNOTSUPP && linkError != ENOSYS && linkError != EXDEV)
        return false;

    // Last resort: take the new name with a file that only this program
    // created, then rename over it. The exclusive create fails on any entry
    // of that name, also one that differs only in case, so a file created by
    // another program at the same moment is never replaced.
    if (calls.createExclusive(to) != 0)
        return false;
    if (calls.rename(from, to) == 0)
        return true;
    calls.unlink(to);
    return false;
}

} // namespace namlex::platform

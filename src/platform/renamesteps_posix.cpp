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

RenameFailure failureOfError(int error)
{
    switch (error) {
    case EEXIST:
    case ENOTEMPTY:
        return RenameFailure::NameTaken;
    case EACCES:
    case EPERM:
        return RenameFailure::NoPermission;
    case EROFS:
        return RenameFailure::ReadOnlyMedium;
    case ENAMETOOLONG:
        return RenameFailure::NameTooLong;
    // FAT, exFAT and NTFS refuse characters such as ":" or "?" this way.
    case EINVAL:
    case EILSEQ:
        return RenameFailure::NameNotAllowed;
    case ENOENT:
        return RenameFailure::FileGone;
    default:
        return RenameFailure::Other;
    }
}

} // namespace namlex::platform

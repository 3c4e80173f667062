#include "platform/folderhandle.h"

#include "platform/caseprobe.h"
#include "platform/namecodec.h"
#include "platform/paths.h"
#include "platform/renamesteps.h"
#include "platform/systempath.h"

#include <cerrno>
#include <utility>

#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace namlex::platform {

Cause causeOfError(int error)
{
    switch (error) {
    case 0:
        return Cause::None;
    case EEXIST:
    case ENOTEMPTY:
        return Cause::NameTaken;
    case EACCES:
    case EPERM:
        return Cause::NoPermission;
    case EROFS:
        return Cause::ReadOnlyMedium;
    case ENOSPC:
    case EDQUOT:
        return Cause::NoSpace;
    case ENAMETOOLONG:
        return Cause::NameTooLong;
    // FAT, exFAT and NTFS refuse characters such as ":" or "?" this way.
    case EINVAL:
    case EILSEQ:
        return Cause::NameNotAllowed;
    case ENOENT:
        return Cause::FileGone;
    default:
        return Cause::Other;
    }
}

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

// The bytes of a plain name, or nothing for a name that could address
// another folder ("..", "a/b") or that no file can have. A run asks this
// for every name it touches; isPlainFileName() only counts the bytes, so
// the name is encoded once.
std::optional<QByteArray> nameBytes(const QString &name)
{
    if (!isPlainFileName(name))
        return std::nullopt;
    return systemPath(name);
}

Problem failure(int error)
{
    return {causeOfError(error), std::nullopt, QString(), error};
}

bool statxAt(int fd, const QByteArray &name, struct statx &info, int sync = AT_STATX_SYNC_AS_STAT)
{
    return ::statx(fd, name.constData(), AT_SYMLINK_NOFOLLOW | sync,
                   STATX_TYPE | STATX_INO | STATX_BTIME | STATX_UID | STATX_SIZE | STATX_MTIME,
                   &info)
           == 0;
}

FileIdentity identityFrom(const struct statx &info)
{
    const auto ns
        = [](const statx_timestamp &t) { return qint64(t.tv_sec) * 1'000'000'000 + t.tv_nsec; };
    return FileIdentity {qint64(makedev(info.stx_dev_major, info.stx_dev_minor)),
                         qint64(info.stx_ino),
                         (info.stx_mask & STATX_BTIME) ? ns(info.stx_btime) : 0,
                         kindOfMode(info.stx_mode),
                         qint64(info.stx_size),
                         ns(info.stx_mtime)};
}

std::optional<FileIdentity> identityAt(int fd, const QByteArray &name,
                                       int sync = AT_STATX_SYNC_AS_STAT)
{
    struct statx info = {};
    return statxAt(fd, name, info, sync) ? std::optional(identityFrom(info)) : std::nullopt;
}

// FAT, as vfat and msdos report it.
constexpr long msdos = 0x4d44;

// The file systems whose names are compared without regard to case and
// limited in UTF-16 code units, as they come from Windows and macOS.
bool isWindowsFileSystem(long type)
{
    constexpr long exfat = 0x2011BAB0, ntfs3 = 0x7366746e, ntfs = 0x5346544e, hfsplus = 0x482b,
                   cifs = 0xFF534D42, smb2 = 0xFE534D42, smb = 0x517B;
    return type == msdos || type == exfat || type == ntfs3 || type == ntfs || type == hfsplus
           || type == cifs || type == smb2 || type == smb;
}

// The file systems that compare names byte for byte unless a folder is
// marked to fold case, and count their length in bytes.
bool isUnixFileSystem(long type)
{
    constexpr long ext = 0xEF53, xfs = 0x58465342, btrfs = 0x9123683E, tmpfs = 0x01021994,
                   f2fs = 0xF2F52010;
    return type == ext || type == xfs || type == btrfs || type == tmpfs || type == f2fs;
}

} // namespace

std::optional<FolderHandle> FolderHandle::open(const QString &path)
{
    const std::optional<QByteArray> bytes = systemPath(path);
    const int fd = bytes ? ::open(bytes->constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC) : -1;
    if (fd < 0)
        return std::nullopt;
    // The sticky bit keeps a user from renaming or deleting another user's
    // files, unless they own the folder or are root.
    struct stat folder = {};
    const uid_t user = ::geteuid();
    const bool ownFilesOnly = ::fstat(fd, &folder) == 0 && (folder.st_mode & S_ISVTX) != 0
                              && user != 0 && user != folder.st_uid;
    return FolderHandle(fd, ownFilesOnly ? qint64(user) : -1);
}

FolderHandle::FolderHandle(qintptr handle, qint64 ownFilesOnly)
    : handle_(handle)
    , ownFilesOnly_(ownFilesOnly)
{ }

FolderHandle::FolderHandle(FolderHandle &&other) noexcept
    : handle_(std::exchange(other.handle_, -1))
    , ownFilesOnly_(other.ownFilesOnly_)
{ }

FolderHandle &FolderHandle::operator=(FolderHandle &&other) noexcept
{
    std::swap(handle_, other.handle_);
    std::swap(ownFilesOnly_, other.ownFilesOnly_);
    return *this;
}

FolderHandle::~FolderHandle()
{
    if (handle_ >= 0)
        ::close(int(handle_));
}

std::optional<QStringList> FolderHandle::entryNames() const
{
    // A second descriptor: readdir moves its own position, and closedir
    // closes the descriptor it was given.
    const int fd = ::openat(int(handle_), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR *dir = fd >= 0 ? ::fdopendir(fd) : nullptr;
    if (!dir) {
        if (fd >= 0)
            ::close(fd);
        return std::nullopt;
    }
    QStringList names;
    errno = 0;
    while (const dirent *entry = ::readdir(dir)) {
        const char *name = entry->d_name;
        if (!(name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))))
            names.append(decodeName(QByteArray(name)));
        errno = 0;
    }
    const bool read = errno == 0;
    ::closedir(dir);
    if (!read)
        return std::nullopt;
    return names;
}

std::optional<FileIdentity> FolderHandle::identityOf(const QString &name) const
{
    const std::optional<QByteArray> bytes = nameBytes(name);
    return bytes ? identityAt(int(handle_), *bytes) : std::nullopt;
}

std::optional<FileIdentity> FolderHandle::freshIdentityOf(const QString &name) const
{
    const std::optional<QByteArray> bytes = nameBytes(name);
    return bytes ? identityAt(int(handle_), *bytes, AT_STATX_FORCE_SYNC) : std::nullopt;
}

std::optional<EntryState> FolderHandle::stateOf(const QString &name) const
{
    const std::optional<QByteArray> bytes = nameBytes(name);
    struct statx info = {};
    if (!bytes || !statxAt(int(handle_), *bytes, info))
        return std::nullopt;
    return EntryState {identityFrom(info), protectionOf(info.stx_attributes, info.stx_uid)};
}

Cause FolderHandle::protectionOf(quint64 attributes, qint64 owner) const
{
    if ((attributes & (STATX_ATTR_IMMUTABLE | STATX_ATTR_APPEND)) != 0)
        return Cause::FileProtected;
    if (ownFilesOnly_ >= 0 && owner != ownFilesOnly_)
        return Cause::OwnedByOther;
    return Cause::None;
}

// The system refuses a rename or a deletion with EPERM for the entry's own
// protection, or another user's file in a folder with the sticky bit, but
// also for a folder marked immutable: the entry tells which.
Cause FolderHandle::causeOfRefusal(const QByteArray &name) const
{
    struct statx info = {};
    const Cause own = statxAt(int(handle_), name, info)
                          ? protectionOf(info.stx_attributes, info.stx_uid)
                          : Cause::None;
    return own != Cause::None ? own : Cause::NoPermission;
}

Problem FolderHandle::renameNoReplace(const QString &from, const QString &to) const
{
    const std::optional<QByteArray> fromBytes = nameBytes(from);
    const std::optional<QByteArray> toBytes = nameBytes(to);
    if (!fromBytes || !toBytes)
        return {Cause::ImpossibleName};
    const int error = renameInSteps(fromBytes->constData(), toBytes->constData(),
                                    systemRenameCalls(int(handle_)));
    Problem result = failure(error);
    if (error == EPERM)
        result.cause = causeOfRefusal(*fromBytes);
    if (result.cause == Cause::NameTaken) {
        if (const std::optional<FileIdentity> taker = identityAt(int(handle_), *toBytes))
            result.kind = taker->kind;
    }
    return result;
}

Problem FolderHandle::deleteFile(const QString &name, const FileIdentity &expected) const
{
    const std::optional<QByteArray> bytes = nameBytes(name);
    if (!bytes)
        return {Cause::ImpossibleName};
    struct stat info = {};
    if (::fstatat(int(handle_), bytes->constData(), &info, AT_SYMLINK_NOFOLLOW) != 0)
        return failure(errno);
    // Exactly one regular file, or a link (never its target). Folders,
    // pipes, sockets and device nodes are no music files.
    if (!(S_ISREG(info.st_mode) || S_ISLNK(info.st_mode)))
        return {Cause::NotAFile, kindOfMode(info.st_mode)};
    // A file without any write permission is write-protected, as a read-only
    // file is elsewhere: it is kept, even for a user whom the system would
    // let remove it.
    if (S_ISREG(info.st_mode) && (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return {Cause::WriteProtected};
    const std::optional<FileIdentity> now = identityAt(int(handle_), *bytes);
    if (!now || *now != expected)
        return {Cause::FileReplaced, now ? std::optional(now->kind) : std::nullopt};
    if (::unlinkat(int(handle_), bytes->constData(), 0) == 0)
        return {};
    Problem result = failure(errno);
    if (result.systemError == EPERM)
        result.cause = causeOfRefusal(*bytes);
    return result;
}

NameRules FolderHandle::nameRules(const QStringList &entries) const
{
    NameRules rules;
    struct statfs system = {};
    const long type = ::fstatfs(int(handle_), &system) == 0 ? long(system.f_type) : 0;
    const long max = ::fpathconf(int(handle_), _PC_NAME_MAX);
    rules.maxLength = max > 0 ? int(max) : 255;
    // A rename needs write and search permission on the folder, and a
    // medium that is not read-only. Root may rename regardless, and the
    // check, made as the user the program runs as, says so too.
    struct statvfs volume = {};
    const bool measured = ::fstatvfs(int(handle_), &volume) == 0;
    if (measured && (volume.f_flag & ST_RDONLY) != 0)
        rules.unchangeable = Cause::ReadOnlyMedium;
    else if (::faccessat(int(handle_), ".", W_OK | X_OK, AT_EACCESS) != 0)
        rules.unchangeable = errno == EROFS                      ? Cause::ReadOnlyMedium
                             : errno == EACCES || errno == EPERM ? Cause::NoPermission
                                                                 : Cause::None;
    if (type == msdos) {
        // FAT's root folder has inode number 1 and, on FAT12 and FAT16, a
        // fixed number of entries; those have fewer than 65525 clusters.
        struct stat folder = {};
        const bool fixedRoot
            = ::fstat(int(handle_), &folder) == 0 && folder.st_ino == 1 && system.f_blocks < 65525;
        rules.entriesMayRunOut = fixedRoot || (measured && volume.f_bavail == 0);
    }
    if (isWindowsFileSystem(type)) {
        rules.unit = NameRules::Unit::Utf16;
        rules.maxLength = 255;
        rules.letterCase = NameRules::LetterCase::Folded;
    } else if (!isUnixFileSystem(type)) {
        rules.unit = NameRules::Unit::Unknown;
        rules.letterCase = NameRules::LetterCase::Unknown;
    }

    // Whether this folder folds case is best learnt from the folder itself:
    // ext4 can fold case in single folders, HFS+ and network shares may or
    // may not, and FUSE does not say.
    const auto lookUp = [this](const QString &name) {
        const std::optional<QByteArray> bytes = nameBytes(name);
        struct stat info = {};
        if (bytes && ::fstatat(int(handle_), bytes->constData(), &info, AT_SYMLINK_NOFOLLOW) == 0)
            return Lookup::Found;
        return bytes && errno == ENOENT ? Lookup::Missing : Lookup::Failed;
    };
    if (const std::optional<NameRules::LetterCase> learnt = letterCaseOfFolder(entries, lookUp)) {
        rules.letterCase = *learnt;
    } else if (isUnixFileSystem(type)) {
        // Else the folder's own mark says it, where the file system keeps
        // one; a folder that says nothing may fold case or not.
        int flags = 0;
        const bool known = ::ioctl(int(handle_), FS_IOC_GETFLAGS, &flags) == 0;
        rules.letterCase = !known                          ? NameRules::LetterCase::Unknown
                           : (flags & FS_CASEFOLD_FL) != 0 ? NameRules::LetterCase::Folded
                                                           : NameRules::LetterCase::Sensitive;
    }
    return rules;
}

} // namespace namlex::platform

#include "platform/folderhandle.h"

#include "platform/namecodec.h"
#include "platform/paths.h"
#include "platform/renamesteps.h"
#include "platform/systempath.h"

#include <QSet>

#include <cerrno>
#include <utility>

#include <dirent.h>
#include <fcntl.h>
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

std::optional<FileIdentity> identityAt(int fd, const QByteArray &name)
{
    struct statx info = {};
    if (::statx(fd, name.constData(), AT_SYMLINK_NOFOLLOW | AT_STATX_SYNC_AS_STAT,
                STATX_TYPE | STATX_INO | STATX_BTIME | STATX_SIZE | STATX_MTIME, &info)
        != 0)
        return std::nullopt;
    const auto ns
        = [](const statx_timestamp &t) { return qint64(t.tv_sec) * 1'000'000'000 + t.tv_nsec; };
    return FileIdentity {qint64(makedev(info.stx_dev_major, info.stx_dev_minor)),
                         qint64(info.stx_ino),
                         (info.stx_mask & STATX_BTIME) ? ns(info.stx_btime) : 0,
                         kindOfMode(info.stx_mode),
                         qint64(info.stx_size),
                         ns(info.stx_mtime)};
}

// The file systems whose names are compared without regard to case and
// limited in UTF-16 code units, as they come from Windows and macOS.
bool isWindowsFileSystem(long type)
{
    constexpr long msdos = 0x4d44, exfat = 0x2011BAB0, ntfs3 = 0x7366746e, ntfs = 0x5346544e,
                   hfsplus = 0x482b, cifs = 0xFF534D42, smb2 = 0xFE534D42, smb = 0x517B;
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

// The name with every ASCII letter in the other case.
QByteArray otherCase(const QByteArray &name)
{
    QByteArray swapped = name;
    for (char &c : swapped) {
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
        else if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    }
    return swapped;
}

} // namespace

std::optional<FolderHandle> FolderHandle::open(const QString &path)
{
    const std::optional<QByteArray> bytes = systemPath(path);
    const int fd = bytes ? ::open(bytes->constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC) : -1;
    if (fd < 0)
        return std::nullopt;
    return FolderHandle(fd);
}

FolderHandle::FolderHandle(qintptr handle)
    : handle_(handle)
{ }

FolderHandle::FolderHandle(FolderHandle &&other) noexcept
    : handle_(std::exchange(other.handle_, -1))
{ }

FolderHandle &FolderHandle::operator=(FolderHandle &&other) noexcept
{
    std::swap(handle_, other.handle_);
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

Problem FolderHandle::renameNoReplace(const QString &from, const QString &to) const
{
    const std::optional<QByteArray> fromBytes = nameBytes(from);
    const std::optional<QByteArray> toBytes = nameBytes(to);
    if (!fromBytes || !toBytes)
        return {Cause::ImpossibleName};
    const int error = renameInSteps(fromBytes->constData(), toBytes->constData(),
                                    systemRenameCalls(int(handle_)));
    Problem result = failure(error);
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
    return failure(::unlinkat(int(handle_), bytes->constData(), 0) == 0 ? 0 : errno);
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
    if (::fstatvfs(int(handle_), &volume) == 0 && (volume.f_flag & ST_RDONLY) != 0)
        rules.unchangeable = Cause::ReadOnlyMedium;
    else if (::faccessat(int(handle_), ".", W_OK | X_OK, AT_EACCESS) != 0)
        rules.unchangeable = errno == EROFS    ? Cause::ReadOnlyMedium
                             : errno == EACCES ? Cause::NoPermission
                                               : Cause::None;
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
    // may not, and FUSE does not say. One entry is looked up in the other
    // case, unless a separate entry has that name.
    const QSet<QString> names(entries.begin(), entries.end());
    for (const QString &entry : entries) {
        const std::optional<QByteArray> bytes = nameBytes(entry);
        if (!bytes)
            continue;
        const QByteArray swapped = otherCase(*bytes);
        if (swapped == *bytes || names.contains(decodeName(swapped)))
            continue;
        const std::optional<FileIdentity> original = identityAt(int(handle_), *bytes);
        if (!original)
            continue;
        const std::optional<FileIdentity> other = identityAt(int(handle_), swapped);
        rules.letterCase = other && other->inode == original->inode
                               ? NameRules::LetterCase::Folded
                               : NameRules::LetterCase::Sensitive;
        break;
    }
    return rules;
}

} // namespace namlex::platform

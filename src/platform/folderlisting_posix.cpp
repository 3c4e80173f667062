#include "platform/folderlisting.h"

#include "platform/namecodec.h"
#include "platform/naturalorder.h"
#include "platform/systempath.h"
#include "platform/wildcard.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <time.h>

namespace namlex::platform {

namespace {

struct DirCloser
{
    void operator()(DIR *dir) const { ::closedir(dir); }
};
using DirHandle = std::unique_ptr<DIR, DirCloser>;

// Qt's own directory classes drop names that are not valid UTF-8, so the
// folder is read with readdir on its raw bytes.
DirHandle openFolder(const QString &folder)
{
    const std::optional<QByteArray> path = systemPath(folder);
    if (!path)
        return nullptr;
    return DirHandle(::opendir(path->constData()));
}

bool isDotOrDotDot(const char *name)
{
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// d_type answers without a stat for most entries, which keeps a folder of
// tens of thousands of files cheap. Links are followed, so a link to a
// folder counts as a folder; a broken link counts as a file.
bool isFolder(DIR *dir, const dirent *entry)
{
    if (entry->d_type == DT_DIR)
        return true;
    if (entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN)
        return false;
    struct stat info = {};
    return ::fstatat(::dirfd(dir), entry->d_name, &info, 0) == 0 && S_ISDIR(info.st_mode);
}

// Calls take(entry) for every entry but "." and "..". False when the folder
// cannot be read.
template<typename Take>
bool readEntries(const QString &folder, Take take)
{
    const DirHandle dir = openFolder(folder);
    if (!dir)
        return false;
    // readdir tells the end of the folder from a read error only by errno.
    errno = 0;
    while (const dirent *entry = ::readdir(dir.get())) {
        if (!isDotOrDotDot(entry->d_name))
            take(dir.get(), entry);
        errno = 0;
    }
    return errno == 0;
}

} // namespace

std::optional<QByteArray> rawFileNames(const QString &folder)
{
    QByteArray names;
    const bool read = readEntries(folder, [&names](DIR *dir, const dirent *entry) {
        if (!isFolder(dir, entry))
            names.append(entry->d_name, qsizetype(std::strlen(entry->d_name) + 1));
    });
    if (!read)
        return std::nullopt;
    return names;
}

namespace {

qint64 nanoseconds(const timespec &time)
{
    return qint64(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

// Folder time stamps are kept to the second on old ext2/3 file systems and
// taken from a clock that moves in steps of a few milliseconds; a listing
// read this long after the folder's last change saw that change for sure.
constexpr qint64 settledNs = 2'000'000'000;

FolderStamp stampOf(const QString &folder)
{
    FolderStamp stamp;
    timespec now = {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    stamp.readNs = nanoseconds(now);
    const std::optional<QByteArray> path = systemPath(folder);
    struct stat info = {};
    struct statfs system = {};
    if (!path || ::stat(path->constData(), &info) != 0 || ::statfs(path->constData(), &system) != 0)
        return stamp;
    stamp.device = qint64(info.st_dev);
    stamp.inode = qint64(info.st_ino);
    stamp.modifiedNs = nanoseconds(info.st_mtim);
    stamp.changedNs = nanoseconds(info.st_ctim);
    constexpr long ext = 0xEF53, xfs = 0x58465342, btrfs = 0x9123683E, tmpfs = 0x01021994;
    const long type = long(system.f_type);
    stamp.trusted = type == ext || type == xfs || type == btrfs || type == tmpfs;
    return stamp;
}

bool unchangedSince(const FolderStamp &earlier, const FolderStamp &now)
{
    return earlier.trusted && now.trusted && earlier.device == now.device
           && earlier.inode == now.inode && earlier.modifiedNs == now.modifiedNs
           && earlier.changedNs == now.changedNs
           && earlier.readNs - std::max(earlier.modifiedNs, earlier.changedNs) > settledNs;
}

} // namespace

RawListing rawFileNamesSince(const QString &folder, const RawListing &previous)
{
    // Taken before reading: a change while the folder is read is seen by the
    // next stamp.
    const FolderStamp stamp = stampOf(folder);
    if (previous.names && unchangedSince(previous.stamp, stamp))
        return previous;
    return {rawFileNames(folder), stamp};
}

QStringList matchingFiles(const QByteArray &rawNames, const QStringList &patterns)
{
    QStringList names;
    for (qsizetype start = 0; start < rawNames.size();) {
        const qsizetype end = rawNames.indexOf('\0', start);
        QString name = decodeName(rawNames.sliced(start, end - start));
        if (matchesAnyWildcard(name, patterns))
            names.append(std::move(name));
        start = end + 1;
    }
    std::sort(names.begin(), names.end(), naturalLess);
    return names;
}

bool holdsExactly(const QByteArray &rawNames, const QSet<QByteArray> &expected,
                  const QStringList &patterns)
{
    qsizetype found = 0;
    for (qsizetype start = 0; start < rawNames.size();) {
        const qsizetype end = rawNames.indexOf('\0', start);
        const QByteArray name = QByteArray::fromRawData(rawNames.constData() + start, end - start);
        start = end + 1;
        if (expected.contains(name)) {
            ++found;
            continue;
        }
        if (matchesAnyWildcard(decodeName(name), patterns))
            return false;
    }
    return found == expected.size();
}

std::optional<QStringList> listFiles(const QString &folder, const QStringList &patterns)
{
    const std::optional<QByteArray> raw = rawFileNames(folder);
    if (!raw)
        return std::nullopt;
    return matchingFiles(*raw, patterns);
}

std::optional<QStringList> listSubfolders(const QString &folder)
{
    QStringList names;
    const bool read = readEntries(folder, [&names](DIR *dir, const dirent *entry) {
        if (entry->d_name[0] != '.' && isFolder(dir, entry))
            names.append(decodeName(QByteArray(entry->d_name)));
    });
    if (!read)
        return std::nullopt;
    std::sort(names.begin(), names.end(), naturalLess);
    return names;
}

bool canListFolder(const QString &folder)
{
    return openFolder(folder) != nullptr;
}

} // namespace namlex::platform

#pragma once

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

namespace namlex::platform {

// The raw names of the folder's entries that are not folders, each ended by
// a NUL byte, in the order the folder gives them. Comparing two of these
// tells whether anything changed, before any name is decoded or sorted.
// Empty optional: the folder cannot be listed.
std::optional<QByteArray> rawFileNames(const QString &folder);

// When a folder was read, and what its own time stamps said then.
struct FolderStamp
{
    qint64 device = 0;
    qint64 inode = 0;
    qint64 modifiedNs = 0;
    qint64 changedNs = 0;
    qint64 readNs = 0; // when the folder was read
    // Only where the file system stamps a folder with every entry added,
    // removed or renamed, finely enough (ext2/3/4, XFS, Btrfs, tmpfs). FAT
    // keeps two-second steps, and network and FUSE file systems may not
    // stamp the folder at all.
    bool trusted = false;
    bool operator==(const FolderStamp &) const = default;
};

// A folder's raw file names and when they were read.
struct RawListing
{
    std::optional<QByteArray> names;
    FolderStamp stamp;
};

// rawFileNames() of the folder, unless the folder's stamps prove that no
// entry has changed since `previous` was read: then `previous` itself comes
// back, without reading the folder.
RawListing rawFileNamesSince(const QString &folder, const RawListing &previous);

// The names of rawFileNames() that match any of the wildcard patterns,
// decoded and sorted as listFiles() gives them.
QStringList matchingFiles(const QByteArray &rawNames, const QStringList &patterns);

// Whether, among the names of rawFileNames() that match any of the wildcard
// patterns, there are exactly the names `expected`, given as their bytes:
// every one of them and no other. Only a name that is not expected is
// decoded, so that confirming a folder whose names are known is cheap.
bool holdsExactly(const QByteArray &rawNames, const QSet<QByteArray> &expected,
                  const QStringList &patterns);

// The files (never folders, hidden ones included) of a folder whose names
// match any of the wildcard patterns, without regard to case; "*.*" matches
// every name. Sorted in natural, case-insensitive order.
// Empty optional: the folder cannot be listed.
std::optional<QStringList> listFiles(const QString &folder, const QStringList &patterns);

// The sub-folders of a folder, in natural order. Names that begin with "."
// are left out, as a file manager does by default.
std::optional<QStringList> listSubfolders(const QString &folder);

// Whether the folder exists and its entries can be read.
bool canListFolder(const QString &folder);

} // namespace namlex::platform

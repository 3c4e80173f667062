#pragma once

#include <QFileDevice>
#include <QString>

#include <optional>

namespace namlex::platform {

// What stands at a path.
enum class EntryKind { File, Folder, Link, Other };

// Why a file could not be renamed.
enum class RenameFailure {
    None,
    NameTaken, // an entry of the new name exists
    NoPermission,
    ReadOnlyMedium,
    NameTooLong, // for this file system
    NameNotAllowed, // characters this file system does not allow
    FileGone,
    ImpossibleName, // empty, ".", "..", a separator, or bytes no name can hold
    Other, // see systemError
};

struct RenameResult
{
    RenameFailure failure = RenameFailure::None;
    int systemError = 0; // the system's error number, where there is one
    std::optional<EntryKind> takenBy; // for NameTaken, where it could be told
    bool renamed() const { return failure == RenameFailure::None; }
};

// Renames a file without ever replacing an existing target. On failure the
// file keeps its old name, and the result says why.
RenameResult renameNoReplace(const QString &fromPath, const QString &toPath);

// Deletes exactly one regular file or link. A folder, a pipe, a socket or a
// device node is never deleted, nor a write-protected file.
bool deleteFile(const QString &path);

// Enough of a file to recognise it later: the same file keeps these while
// it is renamed, and another file, or the same one changed, differs.
struct FileIdentity
{
    qint64 device = 0;
    qint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedNs = 0;
    EntryKind kind = EntryKind::File;
    bool operator==(const FileIdentity &) const = default;
};

// What stands at the path, links followed; empty when nothing does.
std::optional<EntryKind> kindOf(const QString &path);

// The entry at the path itself (a link, not its target); empty when there
// is none.
std::optional<FileIdentity> identityOf(const QString &path);

// Writes what the file holds through to the disk, so that it survives a
// power cut; false when that failed.
bool flushToDisk(QFileDevice &file);

// The same for a folder's entries, e.g. a file just created in it.
bool flushFolderToDisk(const QString &folder);

// The longest name, in bytes, that the file system of the folder allows.
int maxNameBytes(const QString &folder);

} // namespace namlex::platform

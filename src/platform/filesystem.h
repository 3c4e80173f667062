#pragma once

#include <QFileDevice>
#include <QString>

#include <optional>

namespace namlex::platform {

// What stands at a path.
enum class EntryKind { File, Folder, Link, Other };

// Enough of a file to recognise it later. While its volume stays mounted,
// the device and inode, and the time the file was made where the file
// system keeps one, so that a reused inode is not taken for it, prove it the
// same file, also after its content or tags were changed: == compares these.
// Size and time of change are kept besides, for file systems that number
// their files afresh at each mount (FAT, exFAT), where only they can
// recognise the file later.
struct FileIdentity
{
    qint64 device = 0;
    qint64 inode = 0;
    qint64 bornNs = 0; // 0: the file system keeps no such time
    EntryKind kind = EntryKind::File;
    qint64 size = 0;
    qint64 modifiedNs = 0;
    bool operator==(const FileIdentity &other) const
    {
        return device == other.device && inode == other.inode && bornNs == other.bornNs
               && kind == other.kind;
    }
};

// Writes what the file holds through to the disk, so that it survives a
// power cut; false when that failed.
bool flushToDisk(QFileDevice &file);

// The same for a folder's entries, e.g. a file just created in it.
bool flushFolderToDisk(const QString &folder);

// Takes the file's lock without waiting, against every other open of the
// file, also by another program; false when another holds it. The lock
// ends with the last close of this open, also when the program crashes.
bool tryLock(QFileDevice &file);
// The same, waiting for the lock; false when the file cannot be locked.
bool waitForLock(QFileDevice &file);

} // namespace namlex::platform

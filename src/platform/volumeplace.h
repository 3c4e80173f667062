#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace namlex::platform {

// Where a folder lies on its volume, told so that it holds after the volume
// was unmounted and mounted again, maybe under another mount point or on
// another port, as a USB stick plugged in again.
struct VolumePlace
{
    // The volume: "uuid:<id>" with the file system's UUID, or for FAT and
    // exFAT its volume serial number, spelt as /dev/disk/by-uuid spells it;
    // "share:<source>" for a network share; otherwise "device:<major>:
    // <minor>:<boot>", which holds only while the system runs.
    QString volume;
    QString pathInside; // the folder's path from the volume's root, "/" at the top
    // Whether the file system keeps a file's inode number across mounts
    // (ext2/3/4, XFS, Btrfs, F2FS, and tmpfs, which lasts one boot). FAT and
    // exFAT hand numbers out afresh at each mount, and may even while
    // mounted; FUSE and network file systems promise nothing.
    bool stableInodes = false;
    // Whether the volume's name outlasts its mount. A FUSE file system that
    // does not name its device, such as a disk image mounted with fusefat,
    // has none that does.
    bool lasting() const { return !volume.startsWith(QStringLiteral("device:")); }
    bool operator==(const VolumePlace &) const = default;
};

// The place of a folder; empty optional when the system does not say.
std::optional<VolumePlace> volumePlaceOf(const QString &folder);

// Where the folder of that place can be reached now: one path for each
// mount of its volume that holds it, and that is a folder. Empty: the volume
// is not mounted, or the folder is not on it any more.
QStringList foldersAt(const VolumePlace &place);

// The id that the FAT, exFAT or ext2/3/4 file system in a device or image
// file carries, spelt as blkid spells it; empty when there is none, or the
// user may not read it.
QString fileSystemIdIn(const QString &deviceOrImage);

} // namespace namlex::platform

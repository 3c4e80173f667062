#pragma once

#include "platform/problem.h"

#include <QString>

namespace namlex::platform {

// How a folder's file system compares and limits names.
struct NameRules
{
    enum class LetterCase {
        Sensitive, // "a.mp3" and "A.mp3" are two names
        Folded, // they are one name (FAT, exFAT, NTFS, and folders marked so)
        Unknown,
    };
    enum class Unit {
        Bytes, // ext4 and most Unix file systems
        Utf16, // FAT, exFAT, NTFS and HFS+ count UTF-16 code units
        Unknown, // FUSE and network file systems do not say
    };
    LetterCase letterCase = LetterCase::Sensitive;
    Unit unit = Unit::Bytes;
    int maxLength = 255; // in the unit; for Unknown, the limit in bytes the system reports
    // Why no entry of the folder can get a new name at all: NoPermission or
    // ReadOnlyMedium; None where renaming is allowed.
    Cause unchangeable = Cause::None;
    // FAT keeps a long name in several entries of its folder, and a folder
    // may have none left for a longer one: the root folder of FAT12 and
    // FAT16 cannot grow, and no folder can once the medium has no free
    // cluster left.
    bool entriesMayRunOut = false;

    // Whether the new name may not find room in the folder where the old
    // one did.
    bool mayNotFindRoom(const QString &oldName, const QString &newName) const;
};

} // namespace namlex::platform

#pragma once

#include "platform/filesystem.h"

#include <QString>

#include <optional>

namespace namlex::platform {

// Why the system cannot do something to a file: one list for a rename, an
// undo, a deletion and the record of a run.
enum class Cause {
    None,
    // The new name.
    NameTaken, // an entry of that name is there; `kind` says what it is
    ImpossibleName, // empty, ".", "..", a separator, or bytes no name can hold
    NameTooLong, // for this file system
    NameNotAllowed, // characters this file system does not allow
    // The file.
    FileGone,
    FileReplaced, // another entry, of `kind`, stands under the name now
    NotAFile, // a folder, a pipe, a socket or a device
    WriteProtected,
    FileProtected, // marked immutable or append-only: not even root may rename it
    OwnedByOther, // another user's, in a folder where only a file's owner may rename it
    // The folder and the medium.
    NoPermission,
    ReadOnlyMedium,
    NoSpace,
    FolderUnreadable,
    NotOwnFolder, // a folder for the user's own files belongs to another user
    FolderOpenToOthers, // others than its owner may write in such a folder
    NoNumbersLeft, // the counter of the records is at its maximum
    Other, // see `systemError`
};

struct Problem
{
    Cause cause = Cause::None;
    std::optional<EntryKind> kind = {};
    QString otherName = {};
    int systemError = 0; // the system's error number, where there is one
    bool ok() const { return cause == Cause::None; }
    bool operator==(const Problem &) const = default;
};

// What a failed system call's error number means for the user.
Cause causeOfError(int error);

} // namespace namlex::platform

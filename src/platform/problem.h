#pragma once

#include "platform/filesystem.h"

#include <QString>

#include <optional>

namespace namlex::platform {

// Why something cannot be done to a file, or might not work: one list for a
// rename, the plan of a run, an undo and a deletion.
enum class Cause {
    None,
    // The new name.
    NameTaken, // an entry of that name is there; `kind` says what it is
    SameNewName, // an earlier entry of the run gets that name first: `otherName`
    ImpossibleName, // empty, ".", "..", a separator, or bytes no name can hold
    NameTooLong, // for this file system
    NameNotAllowed, // characters this file system does not allow
    NameTooLongToEdit, // the name transforms cannot handle a name that long
    NumberingFailed, // the number at the start of the name cannot be read
    // The file.
    FileGone,
    FileReplaced, // another entry, of `kind`, stands under the name now
    NotAFile, // a folder, a pipe, a socket or a device
    OtherFileThere, // undo: another entry stands under the run's new name
    ChangedSince, // undo: a file under the run's new name, not provably the run's
    WriteProtected,
    // The folder and the medium.
    NoPermission,
    ReadOnlyMedium,
    NoSpace,
    FolderUnreadable,
    Other, // see `systemError`
    // What a plan cannot know for sure beforehand.
    CaseMayClash, // the name differs from `otherName` only in letter case
    LengthMayNotFit, // the file system's limit on names is not known
};

struct Problem
{
    Cause cause = Cause::None;
    std::optional<EntryKind> kind = {};
    QString otherName = {};
    int systemError = 0; // the system's error number, where there is one
    bool ok() const { return cause == Cause::None; }
    // A plan's guess, not a certain failure.
    bool uncertain() const
    {
        return cause == Cause::CaseMayClash || cause == Cause::LengthMayNotFit;
    }
    bool operator==(const Problem &) const = default;
};

// What a failed system call's error number means for the user.
Cause causeOfError(int error);

} // namespace namlex::platform

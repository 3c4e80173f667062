#pragma once

#include "platform/problem.h"

#include <QString>

#include <utility>

namespace namlex {

// Why an entry of a run or of an undo cannot be renamed, or may not be: a
// fact the system reports, or one that only the plan of the run or of the
// undo works out beforehand.
struct Reason
{
    enum class Kind {
        System, // `system` says what; nothing stands in the way where it is ok()
        SameNewName, // an earlier entry of the run gets that name first: `otherName`
        NameTooLongToEdit, // the transforms cannot handle a name that long
        NumberingFailed, // the number at the start of the name cannot be read
        OtherFileThere, // undo: another entry stands under the run's new name
        ChangedSince, // undo: a file under the run's new name, not provably the run's
        // What a plan cannot know for sure beforehand.
        CaseMayClash, // the name differs from `otherName` only in letter case
        LengthMayNotFit, // the file system's limit on names is not known
        RoomMayRunOut, // the new name needs more of the folder's room, which may be used up
    };
    Kind kind = Kind::System;
    platform::Problem system = {};
    QString otherName = {};

    Reason() = default;
    // What the system reports is a reason as it stands.
    Reason(platform::Problem problem)
        : system(std::move(problem))
    { }
    Reason(Kind kind, QString otherName = {})
        : kind(kind)
        , otherName(std::move(otherName))
    { }

    bool ok() const { return kind == Kind::System && system.ok(); }
    // A plan's guess, not a certain failure.
    bool uncertain() const
    {
        return kind == Kind::CaseMayClash || kind == Kind::LengthMayNotFit
               || kind == Kind::RoomMayRunOut;
    }
    bool operator==(const Reason &) const = default;
};

} // namespace namlex

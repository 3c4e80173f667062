#pragma once

#include "commands/journal.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace namlex {

// What a run will do with one entry whose name changes.
struct PlannedRename
{
    enum class Problem {
        None, // it will be renamed
        NameTaken, // an entry of that name is in the folder then
        SameNewName, // an earlier entry of the run gets that name
        ImpossibleName, // empty, ".", "..", a separator, or not encodable
        NameTooLong, // for the folder's file system
        NameTooLongToEdit, // the transform cannot handle a name that long
    };
    JournalEntry file;
    Problem problem = Problem::None;
    QString clashWith; // SameNewName: the earlier entry's old name
};

// The whole run worked out before it starts: every entry of the list in list
// order, simulated one after another, so that a name an earlier entry frees
// counts as free and one it takes counts as taken.
struct RunPlan
{
    QList<PlannedRename> changes; // the entries whose name changes, in list order
    int unchanged = 0;
    int renames() const;
    int problems() const;
};

// The new name of an entry; empty optional when it cannot be computed.
using NewNameFunction = std::function<std::optional<QString>(const QString &oldName)>;

// `entries`: every name in the folder before the run (files of any kind and
// folders). `maxNameBytes`: the longest name the folder's file system allows.
RunPlan planRun(const QStringList &listNames, const NewNameFunction &newName,
                const QStringList &entries, int maxNameBytes);

} // namespace namlex

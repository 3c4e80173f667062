#pragma once

#include "commands/folderaccess.h"
#include "journal/journal.h"
#include "texts/reason.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace namlex {

// The new name of one entry, and how it came about.
struct NewName
{
    QString name = {};
    bool numberingRemoved = false;
    bool underscoresReplaced = false;
    // The number at the start could not be read; the name keeps it.
    bool numberingFailed = false;
    // The name is too long for the transforms: there is no new name.
    bool tooLongToEdit = false;
};

// A command's transform of a name, with the state of NurMitNull.
using NewNameFunction = std::function<NewName(const QString &oldName, bool onlyWithLeadingZero)>;

// What a run will do with one entry of the list.
struct PlannedEntry
{
    enum class Step {
        Keep, // the name does not change
        Rename,
        Fail, // the name changes, but the file cannot be renamed
    };
    JournalEntry file; // the identity only where the entry is renamed
    Step step = Step::Keep;
    // Fail: why. Rename: set where the plan cannot be sure that it works.
    Reason problem = {};
    NewName how = {};
};

// The whole run worked out before it starts: every entry of the list, in
// list order, simulated one after another with the folder's own rules for
// names, so that a name an earlier entry frees counts as free and one it
// takes counts as taken. The run carries out exactly this plan.
struct RunPlan
{
    QList<PlannedEntry> entries;
    bool onlyWithLeadingZero = true; // the choice the plan was made with
    int count(PlannedEntry::Step step) const;
    int uncertain() const;
};

// Plans a run over the list's names.
RunPlan planRun(const QStringList &names, const NewNameFunction &newName, bool onlyWithLeadingZero,
                const Folder &folder);

// Whether an entry after `place` was planned on the entry at `place` being
// renamed: it takes the name that rename frees, or it was refused or
// doubted the name that rename takes.
bool laterEntriesCountOn(const RunPlan &plan, qsizetype place);

// Plans the entries from `first` on anew, with the folder as it is now and
// the choice given; an entry planned before keeps the identity taken then,
// so that a file replaced meanwhile is still found out.
void replan(RunPlan &plan, qsizetype first, const NewNameFunction &newName,
            bool onlyWithLeadingZero, Folder &folder);

} // namespace namlex

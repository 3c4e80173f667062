#include "commands/undoplan.h"

#include "commands/nameholders.h"
#include "platform/namecodec.h"
#include "texts/messages.h"

#include <algorithm>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace namlex {

namespace {

using Outcome = RecordedRun::Outcome;
using What = UndoStep::What;
using platform::Cause;

} // namespace

bool worthRetrying(const Reason &reason)
{
    const Cause cause = reason.system.cause;
    return reason.kind == Reason::Kind::System && cause != Cause::None && cause != Cause::FileGone
           && cause != Cause::FileReplaced;
}

int countSteps(const QList<UndoStep> &steps, What what)
{
    return int(std::count_if(steps.begin(), steps.end(),
                             [what](const UndoStep &step) { return step.what == what; }));
}

Likeness likeness(const RecordedRun &run, const platform::FileIdentity &recorded,
                  const platform::FileIdentity &now)
{
    if (now.kind != recorded.kind)
        return Likeness::Other;
    // A time of birth tells two files apart wherever both sides have one.
    const bool bornKnown = recorded.bornNs != 0 && now.bornNs != 0;
    if (bornKnown && recorded.bornNs != now.bornNs)
        return Likeness::Changed;
    const bool sameInode = recorded.inode == now.inode;
    const bool sameDevice = recorded.device == now.device;
    // FAT keeps times of change to two seconds, exFAT to ten milliseconds;
    // a time taken while mounted may be finer than what the medium keeps.
    constexpr qint64 fatTimeNs = 2'000'000'000;
    const bool sameContent
        = recorded.size == now.size && std::abs(recorded.modifiedNs - now.modifiedNs) < fatTimeNs;
    bool same = false;
    if (run.version == 1)
        same = sameDevice && sameInode && sameContent; // no time of birth recorded
    else if (run.version == 2)
        same = sameDevice && sameInode; // no size or time recorded
    else if (!run.volume)
        same = sameDevice && sameInode && (bornKnown || sameContent);
    else if (run.volume->stableInodes)
        same = sameInode && (bornKnown || sameContent);
    else
        same = sameContent; // numbers handed out afresh at each mount prove nothing
    return same ? Likeness::Same : Likeness::Changed;
}

QList<UndoStep> planUndo(const RecordedRun &run, const Folder &folder, const QStringList &entries,
                         bool withChanged)
{
    NameHolders holders(entries, folder.nameRules(entries).letterCase);
    const auto like = [&run](const platform::FileIdentity &recorded, const auto &found) {
        return found ? likeness(run, recorded, *found) : Likeness::Other;
    };
    QList<UndoStep> steps;
    for (auto entry = run.entries.crbegin(); entry != run.entries.crend(); ++entry) {
        if (!run.leftToUndo(*entry))
            continue;
        UndoStep step {entry->file};
        const JournalEntry &file = entry->file;
        const std::optional<platform::FileIdentity> atNew = folder.identityOf(file.newName);
        // Under its new name as the rename left it; under its old one as
        // it was planned.
        const Likeness newName = like(file.underNewName(), atNew);
        if (newName != Likeness::Same
            && like(file.identity, folder.identityOf(file.oldName)) == Likeness::Same) {
            step.what = entry->outcome == Outcome::Renamed ? What::AlreadyBack : What::NeverRenamed;
            step.leftBehind = step.what == What::NeverRenamed && atNew.has_value();
        } else if (newName == Likeness::Other) {
            step.problem = atNew ? Reason {Reason::Kind::OtherFileThere}
                                 : Reason {platform::Problem {Cause::FileGone}};
        } else if (const auto holder = holders.of(file.oldName); holder && holder->certain) {
            const auto taker = folder.identityOf(holder->name);
            step.problem = platform::Problem {Cause::NameTaken,
                                              taker ? std::optional(taker->kind) : std::nullopt};
        } else {
            step.what = newName == Likeness::Same ? What::RenameBack : What::Changed;
            if (newName != Likeness::Same)
                step.problem = Reason {Reason::Kind::ChangedSince};
            step.found = *atNew;
            if (step.what == What::RenameBack || withChanged) {
                holders.remove(file.newName);
                holders.add(file.oldName, steps.size());
            }
        }
        steps.append(step);
    }
    return steps;
}

UndoTable::UndoTable(QList<UndoStep> steps)
{
    for (const What what : {What::Fail, What::Changed, What::RenameBack}) {
        for (const UndoStep &step : steps) {
            if (step.what == what)
                rows_.append(step);
        }
    }
}

QStringList UndoTable::headers() const
{
    return messages::undoHeaders();
}

int UndoTable::rowCount() const
{
    return int(rows_.size());
}

QString UndoTable::cell(int row, int column) const
{
    const UndoStep &step = rows_.at(row);
    switch (column) {
    case 0:
        return step.what == What::Fail      ? messages::failStep()
               : step.what == What::Changed ? messages::changedStep()
                                            : messages::renameBackStep();
    case 1:
        return platform::displayName(step.file.newName);
    case 2:
        return platform::displayName(step.file.oldName);
    default:
        return messages::causeText(step.problem);
    }
}

bool UndoTable::marked(int row) const
{
    return rows_.at(row).what != What::RenameBack;
}

QString UndoTable::text() const
{
    QString text;
    for (int row = 0; row < rowCount(); ++row) {
        text += cell(row, 1) + u" → "_s + cell(row, 2);
        if (marked(row))
            text += u": "_s + cell(row, 3);
        text += u'\n';
    }
    return text;
}

} // namespace namlex

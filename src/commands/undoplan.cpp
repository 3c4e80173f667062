#include "commands/undoplan.h"

#include "commands/nameholders.h"
#include "platform/namecodec.h"
#include "texts/messages.h"

#include <algorithm>

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

QList<UndoStep> planUndo(const RecordedRun &run, const Folder &folder, const QStringList &entries)
{
    NameHolders holders(entries, folder.nameRules(entries).letterCase);
    QList<UndoStep> steps;
    for (auto entry = run.entries.crbegin(); entry != run.entries.crend(); ++entry) {
        if (!run.leftToUndo(*entry))
            continue;
        UndoStep step {entry->file};
        const JournalEntry &file = entry->file;
        const std::optional<platform::FileIdentity> atNew = folder.identityOf(file.newName);
        if (atNew == file.identity) {
            step.what = What::RenameBack;
            if (const auto holder = holders.of(file.oldName); holder && holder->certain) {
                step.what = What::Fail;
                const auto taker = folder.identityOf(holder->name);
                step.problem = platform::Problem {
                    Cause::NameTaken, taker ? std::optional(taker->kind) : std::nullopt};
            } else {
                holders.remove(file.newName);
                holders.add(file.oldName, steps.size());
            }
        } else if (folder.identityOf(file.oldName) == file.identity) {
            step.what = entry->outcome == Outcome::Renamed ? What::AlreadyBack : What::NeverRenamed;
            step.leftBehind = step.what == What::NeverRenamed && atNew.has_value();
        } else {
            step.problem = atNew ? Reason {Reason::Kind::OtherFileThere}
                                 : Reason {platform::Problem {Cause::FileGone}};
        }
        steps.append(step);
    }
    return steps;
}

UndoTable::UndoTable(QList<UndoStep> steps)
{
    for (const UndoStep &step : steps) {
        if (step.what == What::Fail)
            rows_.append(step);
    }
    for (const UndoStep &step : steps) {
        if (step.what == What::RenameBack)
            rows_.append(step);
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
        return step.what == What::Fail ? messages::failStep() : messages::renameBackStep();
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
    return rows_.at(row).what == What::Fail;
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

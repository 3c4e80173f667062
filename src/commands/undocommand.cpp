#include "commands/undocommand.h"

#include "commands/messages.h"
#include "platform/paths.h"

namespace namlex {

namespace {

using Outcome = RecordedRun::Outcome;

// The record stops before this entry, so the run may not have reached it.
// A file still under its old name was never renamed; an empty file under
// the new name is then the placeholder that a rename on FAT takes the name
// with, left by the crash, and is removed.
bool neverRenamed(const CommandContext &context, const RecordedRun &run,
                  const RecordedRun::Entry &entry, const std::optional<platform::FileIdentity> &now)
{
    const QString oldPath = platform::joinPath(run.folder, entry.file.oldName);
    if (context.inspector.identityOf(oldPath) != entry.file.identity)
        return false;
    const qint64 startedNs = run.started.toMSecsSinceEpoch() * 1'000'000;
    if (now && now->kind == platform::EntryKind::File && now->size == 0
        && now->modifiedNs >= startedNs)
        context.deleter.deleteFile(platform::joinPath(run.folder, entry.file.newName));
    return true;
}

} // namespace

void runUndoCommand(const CommandContext &context)
{
    const std::optional<RecordedRun> run = context.journal.latestRun();
    if (!run) {
        context.prompter.ask(messages::nothingToUndo());
        return;
    }
    if (run->damaged) {
        context.prompter.ask(messages::runNotUndoable(*run));
        context.journal.retire(*run);
        return;
    }
    if (context.prompter.ask(messages::undoQuestion(*run)) != Answer::Yes)
        return;

    messages::UndoTally tally;
    for (auto entry = run->entries.crbegin(); entry != run->entries.crend(); ++entry) {
        if (entry->outcome == Outcome::Failed)
            continue;
        const QString newPath = platform::joinPath(run->folder, entry->file.newName);
        const std::optional<platform::FileIdentity> now = context.inspector.identityOf(newPath);
        if (now == entry->file.identity) {
            const platform::RenameResult result = context.renamer.rename(
                newPath, platform::joinPath(run->folder, entry->file.oldName));
            if (result.renamed())
                ++tally.restored;
            else
                tally.failures.append({entry->file, messages::UndoProblem::RenameFailed, result});
        } else if (entry->outcome == Outcome::Unknown && neverRenamed(context, *run, *entry, now)) {
            continue;
        } else {
            tally.failures.append(
                {entry->file,
                 now ? messages::UndoProblem::OtherFileThere : messages::UndoProblem::FileGone,
                 {}});
        }
    }
    context.journal.retire(*run);
    context.list.refresh();
    context.prompter.ask(messages::undoSummary(tally));
}

} // namespace namlex

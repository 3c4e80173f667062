#include "commands/undocommand.h"

#include "commands/undoplan.h"
#include "texts/messages.h"

namespace namlex {

namespace {

using What = UndoStep::What;

// Settles the steps that no later undo could do better, and retires the run
// when none is left to try again.
void settle(UndoableRun &held, const QList<UndoStep> &steps)
{
    bool settled = true;
    for (const UndoStep &step : steps) {
        if (worthRetrying(step.problem))
            settled = false;
        else
            held.settle(step.file.index);
    }
    if (settled)
        held.retire();
}

} // namespace

std::optional<UndoOffer> undoOffer(Journal &journal, FileSystem &files)
{
    const std::unique_ptr<UndoableRun> held = journal.latestRun();
    if (!held)
        return std::nullopt;
    const RecordedRun &run = held->run();
    UndoOffer offer {run.command, run.entriesLeftToUndo()};
    // As many as the question will offer: the files found where the run put
    // them, not those its record merely does not rule out.
    if (!held->busy() && !run.damaged) {
        const std::unique_ptr<Folder> folder = files.openFolder(run.folder);
        if (const std::optional<QStringList> entries = folder->entryNames())
            offer.files = countSteps(planUndo(run, *folder, *entries), What::RenameBack);
    }
    return offer;
}

void runUndoCommand(const CommandContext &context)
{
    const std::unique_ptr<UndoableRun> held = context.journal.latestRun();
    if (!held) {
        context.prompter.ask(messages::nothingToUndo());
        return;
    }
    const RecordedRun &run = held->run();
    if (held->busy()) {
        context.prompter.ask(messages::runStillGoing(run));
        return;
    }
    if (run.damaged) {
        context.prompter.ask(messages::runNotUndoable(run));
        held->retire();
        return;
    }
    const std::unique_ptr<Folder> folder = context.files.openFolder(run.folder);
    const std::optional<QStringList> entries = folder->entryNames();
    if (!entries) {
        context.prompter.ask(messages::folderOfRunUnreachable(run));
        return;
    }
    const QList<UndoStep> steps = planUndo(run, *folder, *entries);
    const int renames = countSteps(steps, What::RenameBack);
    const int left = countSteps(steps, What::Fail);
    // With nothing to rename back there is nothing to ask: one box says so
    // and why, and the run is settled as an undo of it would settle it.
    if (renames == 0) {
        Message nothing
            = messages::nothingToRenameBack(run, countSteps(steps, What::AlreadyBack) > 0, left);
        if (left > 0)
            nothing.table = std::make_shared<UndoTable>(steps);
        // What stands under a new name and is not the run's file, the
        // summary of an undo would name; so does this box.
        messages::UndoTally tally;
        for (const UndoStep &step : steps) {
            if (step.leftBehind)
                tally.leftBehind.append(step.file);
        }
        nothing.details = messages::undoSummary(tally).details;
        settle(*held, steps);
        context.prompter.ask(nothing);
        return;
    }
    Message question = messages::undoQuestion(run, renames, left);
    question.table = std::make_shared<UndoTable>(steps);
    if (context.prompter.ask(question) != Answer::Yes)
        return;

    // A long undo shows the run's progress dialog and can be stopped: what
    // was restored stays restored and recorded, the rest stays for the next
    // Ctrl+Z.
    context.progress.begin(int(steps.size()));
    messages::UndoTally tally;
    bool settled = true;
    qsizetype done = 0;
    for (const UndoStep &step : steps) {
        const Reason problem = step.what == What::RenameBack
                                   ? Reason {renameIfSame(*folder, step.file.newName,
                                                          step.file.oldName, step.file.identity)}
                                   : step.problem;
        // A file an undo cut short had renamed back counts as restored.
        if (step.what == What::RenameBack || step.what == What::AlreadyBack)
            tally.restored += problem.ok() ? 1 : 0;
        if (!problem.ok())
            tally.failures.append({step.file, problem});
        if (step.leftBehind)
            tally.leftBehind.append(step.file);
        if (worthRetrying(problem)) {
            ++tally.kept;
            settled = false;
        } else {
            held->settle(step.file.index);
        }
        if (!context.progress.advance(int(++done)))
            break;
    }
    context.progress.end();
    if (settled && done == steps.size())
        held->retire();
    const int stillRenamed = countSteps(steps.mid(done), What::RenameBack);
    context.list.refresh();
    Message summary = messages::undoSummary(tally);
    if (stillRenamed > 0)
        summary.text += u'\r' + messages::undoStopped(stillRenamed);
    context.prompter.ask(summary);
}

} // namespace namlex

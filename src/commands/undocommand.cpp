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

// Where the run's folder is now: where it was, if that is still on the same
// volume, or where its volume is mounted now, as a stick plugged in again
// that the desktop mounted under another name. Empty: its volume is away.
QString folderNow(FileSystem &files, const RecordedRun &run)
{
    // Records of earlier versions know only the path.
    if (!run.volume)
        return run.folder;
    const QStringList now = files.foldersAt(*run.volume);
    if (now.contains(run.folder))
        return run.folder;
    // A volume whose name does not outlast its mount may be back under its
    // old path; its files are recognised, or not, one by one.
    if (now.isEmpty() && !run.volume->lasting())
        return run.folder;
    return now.value(0);
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
        const std::unique_ptr<Folder> folder = files.openFolder(folderNow(files, run));
        if (const std::optional<QStringList> entries = folder->entryNames()) {
            // Files changed since are offered too, for the user to choose.
            const QList<UndoStep> steps = planUndo(run, *folder, *entries);
            offer.files = countSteps(steps, What::RenameBack) + countSteps(steps, What::Changed);
        }
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
    if (held->busy()) {
        context.prompter.ask(messages::runStillGoing(held->run()));
        return;
    }
    if (held->run().damaged) {
        context.prompter.ask(messages::runNotUndoable(held->run()));
        held->retire();
        return;
    }
    RecordedRun run = held->run();
    const QString path = folderNow(context.files, run);
    const std::unique_ptr<Folder> folder = context.files.openFolder(path);
    const std::optional<QStringList> entries = folder->entryNames();
    if (!entries) {
        context.prompter.ask(messages::folderOfRunUnreachable(run));
        return;
    }
    run.folder = path;
    const QList<UndoStep> unticked = planUndo(run, *folder, *entries);
    const int renames = countSteps(unticked, What::RenameBack);
    const int left = countSteps(unticked, What::Fail);
    const int changed = countSteps(unticked, What::Changed);
    // With nothing to rename back there is nothing to ask: one box says so
    // and why, and the run is settled as an undo of it would settle it.
    if (renames == 0 && changed == 0) {
        Message nothing
            = messages::nothingToRenameBack(run, countSteps(unticked, What::AlreadyBack) > 0, left);
        if (left > 0)
            nothing.table = std::make_shared<UndoTable>(unticked);
        // What stands under a new name and is not the run's file, the
        // summary of an undo would name; so does this box.
        messages::UndoTally tally;
        for (const UndoStep &step : unticked) {
            if (step.leftBehind)
                tally.leftBehind.append(step.file);
        }
        nothing.details = messages::undoSummary(tally).details;
        settle(*held, unticked);
        context.prompter.ask(nothing);
        return;
    }
    Message question
        = messages::undoQuestion(run, {renames, left, changed, held->questionOpenHere()});
    question.table = std::make_shared<UndoTable>(unticked);
    if (context.prompter.ask(question) != Answer::Yes)
        return;
    // Files changed since are renamed back only when the user asked for it.
    const bool withChanged = question.checkBox && *question.checkBox->ticked;
    const QList<UndoStep> steps = withChanged ? planUndo(run, *folder, *entries, true) : unticked;

    // A long undo shows the run's progress dialog and can be stopped: what
    // was restored stays restored and recorded, the rest stays for the next
    // Ctrl+Z.
    context.progress.begin(int(steps.size()));
    messages::UndoTally tally;
    bool settled = true;
    qsizetype done = 0;
    for (const UndoStep &step : steps) {
        const bool renameBack
            = step.what == What::RenameBack || (step.what == What::Changed && withChanged);
        if (step.what == What::Changed && !withChanged) {
            // Left as it is by the user's choice: settled, never renamed.
            ++tally.changedKept;
            held->settle(step.file.index);
            if (!context.progress.advance(int(++done)))
                break;
            continue;
        }
        const Reason problem
            = renameBack
                  ? Reason {renameIfSame(*folder, step.file.newName, step.file.oldName, step.found)}
                  : step.problem;
        // A file an undo cut short had renamed back counts as restored.
        if (renameBack || step.what == What::AlreadyBack)
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
    const int stillRenamed = countSteps(steps.mid(done), What::RenameBack)
                             + (withChanged ? countSteps(steps.mid(done), What::Changed) : 0);
    context.list.refresh();
    Message summary = messages::undoSummary(tally);
    if (stillRenamed > 0)
        summary.text += u'\r' + messages::undoStopped(stillRenamed);
    context.prompter.ask(summary);
}

} // namespace namlex

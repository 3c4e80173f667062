#include "commands/undocommand.h"

#include "commands/undoplan.h"
#include "texts/messages.h"

namespace namlex {

namespace {

using What = UndoStep::What;

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
    const int changed = countSteps(unticked, What::Changed);
    Message question = messages::undoQuestion(run, {countSteps(unticked, What::RenameBack),
                                                    countSteps(unticked, What::Fail), changed,
                                                    held->questionOpenHere()});
    question.table = std::make_shared<UndoTable>(unticked);
    if (context.prompter.ask(question) != Answer::Yes)
        return;
    // Files changed since are renamed back only when the user asked for it.
    const bool withChanged = question.checkBox && *question.checkBox->ticked;
    const QList<UndoStep> steps = withChanged ? planUndo(run, *folder, *entries, true) : unticked;

    messages::UndoTally tally;
    bool settled = true;
    for (const UndoStep &step : steps) {
        const bool renameBack
            = step.what == What::RenameBack || (step.what == What::Changed && withChanged);
        if (step.what == What::Changed && !withChanged) {
            ++tally.changedKept;
            held->settle(step.file.index);
            continue;
        }
        const platform::Problem problem
            = renameBack ? renameIfSame(*folder, step.file.newName, step.file.oldName, step.found)
                         : step.problem;
        // A file an undo cut short had renamed back counts as restored.
        if (renameBack || step.what == What::AlreadyBack)
            tally.restored += problem.ok() ? 1 : 0;
        if (!problem.ok())
            tally.failures.append({step.file, problem});
        if (step.leftBehind)
            tally.leftBehind.append(step.file);
        if (worthRetrying(problem.cause)) {
            ++tally.kept;
            settled = false;
        } else {
            held->settle(step.file.index);
        }
    }
    if (settled)
        held->retire();
    context.list.refresh();
    context.prompter.ask(messages::undoSummary(tally));
}

} // namespace namlex

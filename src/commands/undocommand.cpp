#include "commands/undocommand.h"

#include "commands/undoplan.h"
#include "texts/messages.h"

namespace namlex {

namespace {

using What = UndoStep::What;

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
    Message question = messages::undoQuestion(run, countSteps(steps, What::RenameBack),
                                              countSteps(steps, What::Fail));
    question.table = std::make_shared<UndoTable>(steps);
    if (context.prompter.ask(question) != Answer::Yes)
        return;

    messages::UndoTally tally;
    bool settled = true;
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
    }
    if (settled)
        held->retire();
    context.list.refresh();
    context.prompter.ask(messages::undoSummary(tally));
}

} // namespace namlex

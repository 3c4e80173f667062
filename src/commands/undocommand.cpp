#include "commands/undocommand.h"

#include "commands/messages.h"
#include "commands/undoplan.h"

namespace namlex {

namespace {

using What = UndoStep::What;

} // namespace

std::optional<UndoOffer> undoOffer(Journal &journal)
{
    const std::unique_ptr<UndoableRun> held = journal.latestRun();
    if (!held)
        return std::nullopt;
    return UndoOffer {held->run().command, held->run().entriesLeftToUndo()};
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
    const auto count = [&steps](What what) {
        return int(std::count_if(steps.begin(), steps.end(),
                                 [what](const UndoStep &step) { return step.what == what; }));
    };
    Message question = messages::undoQuestion(run, count(What::RenameBack), count(What::Fail));
    question.table = std::make_shared<UndoTable>(steps);
    if (context.prompter.ask(question) != Answer::Yes)
        return;

    messages::UndoTally tally;
    bool settled = true;
    for (const UndoStep &step : steps) {
        const platform::Problem problem
            = step.what == What::RenameBack
                  ? renameIfSame(*folder, step.file.newName, step.file.oldName, step.file.identity)
                  : step.problem;
        // A file an undo cut short had renamed back counts as restored.
        if (step.what == What::RenameBack || step.what == What::AlreadyBack)
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

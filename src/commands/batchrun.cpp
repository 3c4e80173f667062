#include "commands/batchrun.h"

#include "commands/plantable.h"

namespace namlex {

namespace {

using Step = PlannedEntry::Step;

// Shows the empty-list message that fits the filter; false when the list is empty.
bool listHasEntries(const CommandContext &context)
{
    if (context.list.count() > 0)
        return true;
    if (context.choices.allFilesSelected())
        context.prompter.ask(messages::noFilesInFolder());
    if (context.choices.musicOnlySelected())
        context.prompter.ask(messages::noFilesShown());
    return false;
}

// Holds the progress display's clock while a box of the run is open.
class PausingPrompter : public Prompter
{
public:
    PausingPrompter(Prompter &prompter, RunProgress &progress)
        : prompter(prompter)
        , progress(progress)
    { }
    Answer ask(const Message &message) override
    {
        progress.pause();
        const Answer answer = prompter.ask(message);
        progress.resume();
        return answer;
    }

private:
    Prompter &prompter;
    RunProgress &progress;
};

// The entries from `first` on that the plan renames, as the record keeps them.
QList<JournalEntry> renamesOf(const RunPlan &plan, qsizetype first = 0)
{
    QList<JournalEntry> renames;
    for (qsizetype place = first; place < plan.entries.size(); ++place) {
        if (plan.entries.at(place).step == Step::Rename)
            renames.append(plan.entries.at(place).file);
    }
    return renames;
}

// The names the list's entries have once the plan is carried out.
QStringList namesAfter(const RunPlan &plan)
{
    QStringList names;
    names.reserve(plan.entries.size());
    for (const PlannedEntry &entry : plan.entries)
        names.append(entry.step == Step::Rename ? entry.file.newName : entry.file.oldName);
    return names;
}

// A failure the plan foresaw, told as the rename would tell it: a name
// that is taken says by what.
platform::Problem foreseen(const Folder &folder, const PlannedEntry &entry)
{
    platform::Problem problem = entry.problem;
    if (problem.cause == platform::Cause::NameTaken) {
        const QString holder = problem.otherName.isEmpty() ? entry.file.newName : problem.otherName;
        if (const std::optional<platform::FileIdentity> taker = folder.identityOf(holder))
            problem.kind = taker->kind;
    }
    return problem;
}

} // namespace

void runBatch(const CommandContext &outer, const BatchRunKind &kind)
{
    if (!listHasEntries(outer))
        return;
    const QString folderPath = outer.folder.folderPath();
    const std::unique_ptr<Folder> folder = outer.files.openFolder(folderPath);
    auto plan = std::make_shared<RunPlan>(
        planRun(outer.list.names(), kind.newName, outer.choices.onlyWithLeadingZero(), *folder));
    std::unique_ptr<RunRecorder> record = outer.journal.recordRun(
        folderPath, outer.files.placeOf(folderPath), kind.command, renamesOf(*plan));

    Message confirmation
        = outer.choices.allFilesSelected() ? kind.confirmationAllFiles : kind.confirmationMusicOnly;
    const auto table = std::make_shared<PlanTable>(plan);
    confirmation.informative = table->counts();
    if (!record->problem().ok())
        confirmation.informative += u'\n' + messages::notRecordedWarning(record->problem());
    confirmation.table = table;
    if (outer.prompter.ask(confirmation) != Answer::Yes)
        return;
    // The list may have been re-read while the question was open.
    if (!listHasEntries(outer))
        return;

    PausingPrompter prompter(outer.prompter, outer.progress);
    outer.list.setSelectedIndex(-1);
    outer.list.expect(namesAfter(*plan));
    const bool recorded = record->begin();
    const platform::Problem recordProblem = record->problem();
    messages::Tally tally;
    outer.progress.begin(int(plan->entries.size()));
    const auto stop = [&] { outer.progress.end(); };
    for (qsizetype place = 0; place < plan->entries.size(); ++place) {
        // NurMitNull counts for every name: ticked or cleared while a box
        // was open, it plans the rest of the run anew, and the record learns
        // of it before any of those files is renamed.
        if (const bool leadingZero = outer.choices.onlyWithLeadingZero();
            leadingZero != plan->onlyWithLeadingZero) {
            plan = std::make_shared<RunPlan>(*plan);
            replan(*plan, place, kind.newName, leadingZero, *folder);
            record->replanned(renamesOf(*plan, place));
            outer.list.expect(namesAfter(*plan));
        }
        const PlannedEntry &entry = plan->entries.at(place);
        ++tally.visited;
        if (entry.how.numberingFailed)
            prompter.ask(messages::numberingFailed(entry.file.oldName));
        platform::Problem problem;
        if (entry.step == Step::Keep) {
            ++tally.unchanged;
        } else if (entry.step == Step::Fail) {
            problem = foreseen(*folder, entry);
        } else if (problem = renameIfSame(*folder, entry.file.oldName, entry.file.newName,
                                          entry.file.identity);
                   problem.ok()) {
            tally.numberingRemoved += entry.how.numberingRemoved ? 1 : 0;
            tally.underscoresReplaced += entry.how.underscoresReplaced ? 1 : 0;
            record->renamed(entry.file.index);
        } else {
            record->failed(entry.file.index);
        }
        if (!problem.ok()) {
            ++tally.failed;
            const Message box
                = messages::renameFailed(entry.file.oldName, entry.file.newName, problem);
            if (prompter.ask(box) != Answer::Yes) {
                stop();
                return;
            }
        }
        // Stopping ends the run after the current file; what was done is reported.
        if (!outer.progress.advance(tally.visited))
            break;
    }

    // Closed before the re-read and the summary box; the record too, so
    // that the run can be undone from another window at once.
    stop();
    record.reset();
    outer.list.refresh();
    Message summary = kind.summary(tally);
    if (tally.renamed() > 0)
        summary.details = recorded ? messages::undoHint() : messages::notRecorded(recordProblem);
    outer.prompter.ask(summary);
}

} // namespace namlex

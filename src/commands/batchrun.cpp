#include "commands/batchrun.h"

#include "commands/failuretable.h"
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

// Tells the record the size and time of change the rename left the file
// with, where they are not those planned.
void recordWhatTheRenameLeft(const Folder &folder, const JournalEntry &file, RunRecorder &record)
{
    const std::optional<platform::FileIdentity> now = folder.freshIdentityOf(file.newName);
    if (now && (now->size != file.identity.size || now->modifiedNs != file.identity.modifiedNs))
        record.renamedAs(file.index, *now);
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
    const std::optional<platform::VolumePlace> volume = outer.files.placeOf(folderPath);
    std::unique_ptr<RunRecorder> record
        = outer.journal.recordRun(folderPath, volume, kind.command, renamesOf(*plan));
    // Where inode numbers do not last, an undo recognises a file by its size
    // and time of change; FAT through FUSE sets the time when a rename
    // rewrites a long name, so there each file is looked at once more.
    const bool lookAfterRename = !volume || !volume->stableInodes;

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

    // The plan is written while the question is open; if that failed, the
    // user decides whether to go on without undo.
    const bool toldBefore = !record->problem().ok();
    const bool recorded = record->begin();
    const platform::Problem recordProblem = record->problem();
    if (!recorded && !toldBefore
        && outer.prompter.ask(messages::goOnWithoutRecord(recordProblem)) != Answer::Yes)
        return;

    PausingPrompter prompter(outer.prompter, outer.progress);
    outer.list.setSelectedIndex(-1);
    outer.list.expect(namesAfter(*plan));
    messages::Tally tally;
    QList<FailureTable::Row> failures;
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
        // A box of the run stands before the list with the entry it concerns
        // selected, as stepping through the list would have left it. Only
        // there is the selection set: nothing is drawn between boxes, and
        // selecting every entry would slow a long run down.
        if (entry.how.numberingFailed) {
            outer.list.setSelectedIndex(int(place));
            prompter.ask(messages::numberingFailed(entry.file.oldName));
        }
        Reason problem;
        bool unforeseen = false;
        if (entry.step == Step::Keep) {
            ++tally.unchanged;
        } else if (entry.step == Step::Fail) {
            problem = entry.problem;
        } else if (problem = renameIfSame(*folder, entry.file.oldName, entry.file.newName,
                                          entry.file.identity);
                   problem.ok()) {
            tally.numberingRemoved += entry.how.numberingRemoved ? 1 : 0;
            tally.underscoresReplaced += entry.how.underscoresReplaced ? 1 : 0;
            record->renamed(entry.file.index);
            if (lookAfterRename)
                recordWhatTheRenameLeft(*folder, entry.file, *record);
        } else {
            record->failed(entry.file.index);
            unforeseen = true;
        }
        if (!problem.ok()) {
            ++tally.failed;
            failures.append({entry.file.oldName, entry.file.newName, problem});
            const Message box
                = messages::renameFailed(entry.file.oldName, entry.file.newName, problem);
            outer.list.setSelectedIndex(int(place));
            if (prompter.ask(box) != Answer::Yes) {
                stop();
                return;
            }
        }
        // A rename the plan counted on failed: the name it would have freed
        // is still taken, and the one it would have taken is still free. The
        // entries after it are planned again against the folder as it is,
        // and the record learns of it before any of them is renamed.
        if (unforeseen && laterEntriesCountOn(*plan, place)) {
            plan = std::make_shared<RunPlan>(*plan);
            plan->entries[place].step = Step::Fail;
            replan(*plan, place + 1, kind.newName, plan->onlyWithLeadingZero, *folder);
            record->replanned(renamesOf(*plan, place + 1));
            outer.list.expect(namesAfter(*plan));
        }
        // Stopping ends the run after the current file; what was done is reported.
        if (!outer.progress.advance(tally.visited))
            break;
    }

    // Closed before the re-read and the summary box; the record too, so
    // that the run can be undone from another window at once.
    stop();
    const platform::Problem lost = record->end();
    record.reset();
    // The re-read keeps the selected index, the last entry visited.
    outer.list.refresh();
    outer.list.setSelectedIndex(tally.visited - 1);
    Message summary = kind.summary(tally);
    if (tally.renamed() > 0) {
        if (!recorded)
            summary.informative = messages::notRecorded(recordProblem);
        else
            summary.informative = lost.ok() ? messages::undoLine() : messages::recordIncomplete(lost);
    }
    if (!failures.isEmpty())
        summary.table = std::make_shared<FailureTable>(std::move(failures));
    outer.prompter.ask(summary);
}

} // namespace namlex

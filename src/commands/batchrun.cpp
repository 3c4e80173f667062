#include "commands/batchrun.h"

#include "commands/runplan.h"
#include "platform/paths.h"

namespace namlex {

namespace {

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

// The whole run as it will go, with the identity of every file it will
// rename, so that the record written before the first rename can find them
// again.
RunPlan planOf(const CommandContext &context, const BatchRunKind &kind)
{
    const QString folder = context.folder.folderPath();
    const bool onlyWithLeadingZero = context.choices.onlyWithLeadingZero();
    RunPlan plan = planRun(
        context.list.names(),
        [&](const QString &oldName) -> std::optional<QString> {
            const std::optional<NewName> next = kind.newName(oldName, onlyWithLeadingZero);
            return next ? std::optional(next->name) : std::nullopt;
        },
        context.inspector.entryNames(folder).value_or(QStringList()),
        context.inspector.maxNameBytes(folder));
    for (PlannedRename &change : plan.changes) {
        if (change.problem == PlannedRename::Problem::None)
            change.file.identity
                = context.inspector.identityOf(platform::joinPath(folder, change.file.oldName))
                      .value_or(platform::FileIdentity {});
    }
    return plan;
}

// Records the run for undo: its plan before the question, what happens
// from the first rename on.
class RunRecord
{
public:
    RunRecord(Journal &journal, const QString &folder, const RunPlan &plan)
        : journal(journal)
    {
        QList<JournalEntry> planned;
        for (const PlannedRename &change : plan.changes) {
            if (change.problem == PlannedRename::Problem::None)
                planned.append(change.file);
        }
        journal.prepareRun(folder, planned);
    }
    // However the run ends, also when it never begins.
    ~RunRecord() { end(); }
    RunRecord(const RunRecord &) = delete;
    RunRecord &operator=(const RunRecord &) = delete;

    // Before each rename: the plan must be on disk before the first.
    void beforeRename()
    {
        if (!begun)
            recorded = journal.beginRun();
        begun = true;
    }
    void renamed(const JournalEntry &entry)
    {
        ++renamedFiles;
        journal.renamed(entry);
    }
    void failed(int index) { journal.failed(index); }
    void end() { journal.endRun(); }
    // The line the summary gets in its details.
    QString undoNote() const
    {
        if (renamedFiles == 0)
            return QString();
        return recorded ? messages::undoHint() : messages::notRecorded();
    }

private:
    Journal &journal;
    bool begun = false;
    bool recorded = false;
    int renamedFiles = 0;
};

// A target that is empty, "." or ".." or holds a separator would address
// another file or a folder, so it never reaches the file system.
platform::RenameResult renameEntry(const CommandContext &context, const QString &oldName,
                                   const QString &newName)
{
    if (!platform::isPlainFileName(newName))
        return {platform::RenameFailure::ImpossibleName, 0, std::nullopt};
    const QString from = platform::joinPath(context.folder.folderPath(), oldName);
    const QString to = platform::joinPath(context.folder.folderPath(), newName);
    return context.renamer.rename(from, to);
}

} // namespace

void runBatch(const CommandContext &outer, const BatchRunKind &kind)
{
    if (!listHasEntries(outer))
        return;
    const RunPlan plan = planOf(outer, kind);
    RunRecord record(outer.journal, outer.folder.folderPath(), plan);
    Message confirmation
        = outer.choices.allFilesSelected() ? kind.confirmationAllFiles : kind.confirmationMusicOnly;
    confirmation.details = messages::planDetails(plan);
    if (outer.prompter.ask(confirmation) != Answer::Yes)
        return;
    // The list may have been re-read while the question was open.
    if (!listHasEntries(outer))
        return;

    PausingPrompter prompter(outer.prompter, outer.progress);
    const CommandContext context {outer.list,    outer.folder,  outer.choices,
                                  outer.renamer, outer.deleter, outer.inspector,
                                  outer.journal, prompter,      outer.progress};
    FileList &list = context.list;
    list.setSelectedIndex(-1);
    messages::Tally tally;
    context.progress.begin(list.count());
    const auto stop = [&] {
        context.progress.end();
        record.end();
    };
    int previous = -1;
    do {
        list.setSelectedIndex(list.selectedIndex() + 1);
        const int current = list.selectedIndex();
        // Guards against a list that shrank under the loop: never visit an entry twice.
        if (current <= previous)
            break;
        previous = current;
        ++tally.visited;

        const QString oldName = list.selectedName();
        const std::optional<NewName> next
            = kind.newName(oldName, context.choices.onlyWithLeadingZero());
        if (next && next->numberingFailed)
            context.prompter.ask(messages::numberingFailed(oldName));
        bool failed = !next;
        std::optional<platform::RenameResult> cause; // empty: no new name could be computed
        if (next && next->name == oldName) {
            ++tally.unchanged;
        } else if (next) {
            record.beforeRename();
            const platform::RenameResult result = renameEntry(context, oldName, next->name);
            if (result.renamed()) {
                tally.numberingRemoved += next->numberingRemoved ? 1 : 0;
                tally.underscoresReplaced += next->underscoresReplaced ? 1 : 0;
                record.renamed({current, oldName, next->name, {}});
            } else {
                record.failed(current);
                failed = true;
                cause = result;
            }
        }
        if (failed) {
            ++tally.failed;
            if (context.prompter.ask(messages::renameFailed(oldName, cause)) != Answer::Yes) {
                stop();
                return;
            }
        }
        // Stopping ends the run after the current file; what was done is reported.
        if (!context.progress.advance(tally.visited))
            break;
    } while (list.selectedIndex() < list.count() - 1);

    // Closed before the re-read and the summary box.
    stop();
    list.refresh();
    Message summary = kind.summary(tally);
    summary.details = record.undoNote();
    outer.prompter.ask(summary);
}

} // namespace namlex

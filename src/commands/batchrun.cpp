#include "commands/batchrun.h"

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

// A target that is empty, "." or ".." or holds a separator would address
// another file or a folder, so it never reaches the file system.
bool renameEntry(const CommandContext &context, const QString &oldName, const QString &newName)
{
    if (!platform::isPlainFileName(newName))
        return false;
    const QString from = platform::joinPath(context.folder.folderPath(), oldName);
    const QString to = platform::joinPath(context.folder.folderPath(), newName);
    return context.renamer.rename(from, to);
}

} // namespace

void runBatch(const CommandContext &outer, const BatchRunKind &kind)
{
    if (!listHasEntries(outer))
        return;
    const Message &confirmation
        = outer.choices.allFilesSelected() ? kind.confirmationAllFiles : kind.confirmationMusicOnly;
    if (outer.prompter.ask(confirmation) != Answer::Yes)
        return;
    // The list may have been re-read while the question was open.
    if (!listHasEntries(outer))
        return;

    PausingPrompter prompter(outer.prompter, outer.progress);
    const CommandContext context {outer.list,    outer.folder, outer.choices, outer.renamer,
                                  outer.deleter, prompter,     outer.progress};

    FileList &list = context.list;
    list.setSelectedIndex(-1);
    messages::Tally tally;
    context.progress.begin(list.count());
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
        const std::optional<NewName> next = kind.newName(context, oldName);
        bool done = false;
        if (next && next->name == oldName) {
            ++tally.unchanged;
            done = true;
        } else if (next && renameEntry(context, oldName, next->name)) {
            tally.numberingRemoved += next->numberingRemoved ? 1 : 0;
            tally.underscoresReplaced += next->underscoresReplaced ? 1 : 0;
            done = true;
        }
        if (!done) {
            ++tally.failed;
            if (context.prompter.ask(messages::renameFailed(oldName)) != Answer::Yes) {
                context.progress.end();
                return;
            }
        }
        // Stopping ends the run after the current file; what was done is reported.
        if (!context.progress.advance(tally.visited))
            break;
    } while (list.selectedIndex() < list.count() - 1);

    // Closed before the re-read and the summary box.
    context.progress.end();
    list.refresh();
    outer.prompter.ask(kind.summary(tally));
}

} // namespace namlex

// A run and its undo as two calls, so that a test can unmount and mount the
// folder's volume between them, on the kernel's own file system drivers.
// Usage: namlex-remount-check run|undo FOLDER JOURNAL_FOLDER
//   run   renames with the both command, every box answered with Yes;
//   undo  undoes the newest run, leaving files changed since as they are.
// Each prints the boxes it was shown, then the folder's names, one a line.
// Exit status: 0 when the run renamed something, or the undo renamed every
// file of the run back and left no run behind; 1 otherwise; 2 for bad use.
#include "folderfilelist.h"
#include "scriptedprogress.h"
#include "scriptedprompter.h"

#include "hookedfiles.h"

#include "commands/renamecommands.h"
#include "commands/undocommand.h"
#include "journal/filejournal.h"

#include <QCoreApplication>

#include <cstdio>

using namespace namlex;

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QByteArray step = argc == 4 ? QByteArray(argv[1]) : QByteArray();
    if (step != "run" && step != "undo")
        return 2;
    test::FolderFileList list;
    list.folder = QString::fromLocal8Bit(argv[2]);
    list.patterns = {QStringLiteral("*.*")};
    list.refresh();
    const QStringList before = list.listed;
    test::FixedFolder folder;
    folder.path = list.folder;
    test::FixedChoices choices;
    choices.allFiles = true;
    test::HookedFileSystem files;
    FileJournal journal(QString::fromLocal8Bit(argv[3]));
    test::ScriptedPrompter prompter;
    test::ScriptedProgress progress;
    const CommandContext context {list, folder, choices, files, journal, prompter, progress};
    if (step == "run")
        runBothCommand(context);
    else
        runUndoCommand(context);
    list.refresh();
    for (const Message &message : prompter.shown)
        std::printf("%s\n%s\n\n", qPrintable(message.text), qPrintable(message.informative));
    for (const QString &name : list.listed)
        std::printf("%s\n", qPrintable(name));
    if (step == "run")
        return list.listed != before ? 0 : 1;
    // Everything back: the question offered every file and the run is gone.
    const bool allBack = prompter.shown.size() == 2 && !prompter.shown.first().checkBox
                         && !prompter.shown.first().informative.contains(QStringLiteral("bleib"))
                         && !journal.latestRun();
    return allBack ? 0 : 1;
}

// Runs the both command on a folder, answering every box with Yes, and says
// "half" once half the files are renamed; the test that started it kills it
// there, as a crash or a power cut would.
// Usage: namlex-crash-child FOLDER JOURNAL_FOLDER
#include "folderfilelist.h"
#include "scriptedprogress.h"
#include "scriptedprompter.h"

#include "hookedfiles.h"

#include "commands/renamecommands.h"
#include "journal/filejournal.h"

#include <QCoreApplication>
#include <QThread>

#include <cstdio>

using namespace namlex;

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return 2;
    test::FolderFileList list;
    list.folder = QString::fromLocal8Bit(argv[1]);
    list.patterns = {QStringLiteral("*.*")};
    list.refresh();
    test::FixedFolder folder;
    folder.path = list.folder;
    test::FixedChoices choices;
    choices.allFiles = true;
    test::HookedFileSystem files;
    const int half = list.count() / 2;
    files.beforeRename = [&files, half] {
        if (files.renames == half) {
            std::printf("half\n");
            std::fflush(stdout);
        }
        // Slow enough from here on that the kill lands in the middle.
        if (files.renames >= half)
            QThread::usleep(2000);
    };
    FileJournal journal(QString::fromLocal8Bit(argv[2]));
    test::ScriptedPrompter prompter;
    test::ScriptedProgress progress;
    runBothCommand({list, folder, choices, files, journal, prompter, progress});
    return 0;
}

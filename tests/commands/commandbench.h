#pragma once

#include "folderfilelist.h"
#include "hookedfiles.h"
#include "rawfiles.h"
#include "scriptedprogress.h"
#include "scriptedprompter.h"

#include "journal/filejournal.h"

#include <QDir>
#include <QMetaType>

#include <functional>
#include <QTemporaryDir>

namespace namlex::test {

struct Command
{
    void (*run)(const CommandContext &);
};

// Where the files of a test live: a temporary folder, made in the folder
// NAMLEX_TEST_DIR names where it is set, so that the same tests can run on a
// stick's file system. The records stay in the usual temporary folder.
inline QString testFolderTemplate()
{
    return qEnvironmentVariable("NAMLEX_TEST_DIR", QDir::tempPath())
           + QStringLiteral("/namlex-XXXXXX");
}

// A command run against a real temporary folder.
struct Bench
{
    QTemporaryDir dir {testFolderTemplate()};
    FolderFileList list;
    FixedFolder folder;
    FixedChoices choices;
    HookedFileSystem files;
    QTemporaryDir journalDir;
    FileJournal journal {journalDir.path()};
    ScriptedPrompter prompter;
    ScriptedProgress progress;

    Bench(bool allFiles, const QList<QByteArray> &files)
    {
        folder.path = list.folder = dir.path();
        choices.allFiles = allFiles;
        if (allFiles)
            list.patterns = QStringList {QStringLiteral("*.*")};
        for (const QByteArray &name : files)
            writeRawFile(raw(), name, name);
        list.refresh();
    }
    ~Bench() { removeRawFiles(raw()); }
    QByteArray raw() const { return dir.path().toUtf8(); }
    QList<QByteArray> names() const { return rawNames(raw()); }
    void run(Command command)
    {
        command.run({list, folder, choices, files, journal, prompter, progress});
    }
};

// What happens to the folder meanwhile, e.g. while a box is open.
using Change = std::function<void(Bench &)>;

} // namespace namlex::test

Q_DECLARE_METATYPE(namlex::test::Command)
Q_DECLARE_METATYPE(namlex::test::Change)

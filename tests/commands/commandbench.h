#pragma once

#include "folderfilelist.h"
#include "rawfiles.h"
#include "scriptedprogress.h"
#include "scriptedprompter.h"

#include "commands/filejournal.h"
#include "commands/platformfiles.h"

#include <QMetaType>
#include <QTemporaryDir>

namespace namlex::test {

struct Command
{
    void (*run)(const CommandContext &);
};

// Renames on disk, or answers every rename with a given failure.
class TestRenamer : public Renamer
{
public:
    std::optional<platform::RenameResult> failure;
    platform::RenameResult rename(const QString &fromPath, const QString &toPath) override
    {
        return failure ? *failure : disk.rename(fromPath, toPath);
    }

private:
    PlatformRenamer disk;
};

// A command run against a real temporary folder.
struct Bench
{
    QTemporaryDir dir;
    FolderFileList list;
    FixedFolder folder;
    FixedChoices choices;
    TestRenamer renamer;
    PlatformDeleter deleter;
    PlatformInspector inspector;
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
        command.run(
            {list, folder, choices, renamer, deleter, inspector, journal, prompter, progress});
    }
};

} // namespace namlex::test

Q_DECLARE_METATYPE(namlex::test::Command)

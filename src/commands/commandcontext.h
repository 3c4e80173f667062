#pragma once

#include "commands/filelist.h"
#include "commands/journal.h"
#include "commands/prompter.h"
#include "commands/runprogress.h"
#include "platform/filesystem.h"

#include <QString>
#include <QStringList>

namespace namlex {

// The folder the window works on.
class FolderSource
{
public:
    virtual ~FolderSource() = default;
    virtual QString folderPath() const = 0;
};

// The filter and numbering choices, asked afresh every time they matter.
class Choices
{
public:
    virtual ~Choices() = default;
    virtual bool allFilesSelected() const = 0; // "Alle Dateien"
    virtual bool musicOnlySelected() const = 0; // "Nur mp3 und wma"
    virtual bool onlyWithLeadingZero() const = 0; // NurMitNull
};

// Renames one file without replacing another; on failure the file keeps
// its old name, and the result says why.
class Renamer
{
public:
    virtual ~Renamer() = default;
    virtual platform::RenameResult rename(const QString &fromPath, const QString &toPath) = 0;
};

// Deletes one file; false when it is still there.
class FileDeleter
{
public:
    virtual ~FileDeleter() = default;
    virtual bool deleteFile(const QString &path) = 0;
};

// What a run's plan and an undo need to know of a folder.
class FolderInspector
{
public:
    virtual ~FolderInspector() = default;
    // The names of every entry of the folder, folders included.
    virtual std::optional<QStringList> entryNames(const QString &folder) const = 0;
    virtual int maxNameBytes(const QString &folder) const = 0;
    virtual std::optional<platform::FileIdentity> identityOf(const QString &path) const = 0;
};

// Everything a command touches.
struct CommandContext
{
    FileList &list;
    const FolderSource &folder;
    const Choices &choices;
    Renamer &renamer;
    FileDeleter &deleter;
    const FolderInspector &inspector;
    Journal &journal;
    Prompter &prompter;
    RunProgress &progress;
};

} // namespace namlex

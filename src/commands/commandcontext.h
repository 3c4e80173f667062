#pragma once

#include "commands/filelist.h"
#include "commands/prompter.h"
#include "commands/runprogress.h"

#include <QString>

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

// Renames one file; false when the file keeps its old name.
class Renamer
{
public:
    virtual ~Renamer() = default;
    virtual bool rename(const QString &fromPath, const QString &toPath) = 0;
};

// Deletes one file; false when it is still there.
class FileDeleter
{
public:
    virtual ~FileDeleter() = default;
    virtual bool deleteFile(const QString &path) = 0;
};

// Everything a command touches.
struct CommandContext
{
    FileList &list;
    const FolderSource &folder;
    const Choices &choices;
    Renamer &renamer;
    FileDeleter &deleter;
    Prompter &prompter;
    RunProgress &progress;
};

} // namespace namlex

#pragma once

#include "commands/filelist.h"
#include "commands/folderaccess.h"
#include "texts/prompter.h"
#include "commands/runprogress.h"
#include "journal/journal.h"

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

// Everything a command touches.
struct CommandContext
{
    FileList &list;
    const FolderSource &folder;
    const Choices &choices;
    FileSystem &files;
    Journal &journal;
    Prompter &prompter;
    RunProgress &progress;
};

} // namespace namlex

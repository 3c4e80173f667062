#pragma once

#include <QString>
#include <QStringList>

#include <chrono>

namespace namlex {

class FileSystem;
class Journal;
class Prompter;
class SettingsStore;
class VolumeSource;

// What the window needs from outside; each piece outlives the window.
struct WindowServices
{
    // Where the commands rename and delete.
    FileSystem &files;
    // Where rename runs are recorded for Ctrl+Z.
    Journal &journal;
    const VolumeSource &volumes;
    SettingsStore &settings;
    QString programFolder;
    // Where to open, in this order, when no folder is stored; the program
    // folder comes last in any case.
    QStringList fallbackFolders;
    QString version; // "1.2"
    // Null: the window shows real message boxes.
    Prompter *prompter = nullptr;
    // How long a rename run goes before it shows its progress.
    std::chrono::milliseconds progressDelay {500};
};

} // namespace namlex

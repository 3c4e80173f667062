#pragma once

#include <QString>

#include <chrono>

namespace namlex {

class FileDeleter;
class Prompter;
class Renamer;
class SettingsStore;
class VolumeSource;

// What the window needs from outside; each piece outlives the window.
struct WindowServices
{
    Renamer &renamer;
    FileDeleter &deleter;
    const VolumeSource &volumes;
    SettingsStore &settings;
    QString programFolder;
    QString version; // "1.1"
    // Null: the window shows real message boxes.
    Prompter *prompter = nullptr;
    // How long a rename run goes before it shows its progress.
    std::chrono::milliseconds progressDelay {500};
};

} // namespace namlex

#pragma once

#include <QString>

namespace namlex {

class Prompter;
class Renamer;
class SettingsStore;
class VolumeSource;

// What the window needs from outside; each piece outlives the window.
struct WindowServices
{
    Renamer &renamer;
    const VolumeSource &volumes;
    SettingsStore &settings;
    QString programFolder;
    QString version; // "1.1"
    // Null: the window shows real message boxes.
    Prompter *prompter = nullptr;
};

} // namespace namlex

#pragma once

#include "window/startpath.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace namlex {

// What the command line asks for: `namlex [FOLDER | FILE]`, `--help`,
// `--version`. Qt's own options (-platform ...) are passed over.
struct CommandLine
{
    enum class Action { OpenWindow, PrintHelp, PrintVersion, Fail };
    Action action = Action::OpenWindow;
    std::optional<StartPath> start;
    QString error; // Fail: what is wrong, in a sentence
    // OpenWindow: how many of the arguments, the program's own first, Qt may
    // take its options from. Qt takes "-reverse" wherever it stands, so the
    // "--" that ends the options and all after it must never reach Qt.
    int qtArguments = 0;
};

// The arguments as decoded from their bytes, the program's own first; a
// relative path is taken from the working folder.
CommandLine parseCommandLine(const QStringList &arguments, const QString &workingFolder);

} // namespace namlex

#include "startup/commandline.h"

#include "platform/folderlisting.h"
#include "platform/pathlookup.h"
#include "platform/paths.h"
#include "texts/messages.h"

#include <QCommandLineParser>

using namespace Qt::StringLiterals;

namespace namlex {

namespace {

CommandLine failure(const QString &error)
{
    return {CommandLine::Action::Fail, std::nullopt, error};
}

// The options QGuiApplication takes for itself, these with a value and those
// in passOverQtOptions() without; they are Qt's to act on.
const QStringList qtOptionsWithValue = {u"platform"_s,        u"platformpluginpath"_s,
                                        u"platformtheme"_s,   u"plugin"_s,
                                        u"display"_s,         u"style"_s,
                                        u"stylesheet"_s,      u"session"_s,
                                        u"qwindowgeometry"_s, u"qwindowicon"_s,
                                        u"qwindowtitle"_s,    u"geometry"_s,
                                        u"title"_s,           u"name"_s,
                                        u"qmljsdebugger"_s};

void passOverQtOptions(QCommandLineParser &parser)
{
    for (const QString &name : qtOptionsWithValue) {
        QCommandLineOption option(name, QString(), u"value"_s);
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const QString &name :
         {u"reverse"_s, u"widgetcount"_s, u"nograb"_s, u"dograb"_s, u"sync"_s}) {
        QCommandLineOption option(name);
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

// Where the "--" that ends the options stands, as the parser finds it: one
// that is the value of Qt's option ("-title --") ends nothing. Without one,
// the number of arguments.
int optionsEnd(const QStringList &arguments)
{
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == u"--"_s)
            return i;
        if (argument.startsWith(u'-')
            && qtOptionsWithValue.contains(argument.mid(argument.startsWith(u"--"_s) ? 2 : 1)))
            ++i;
    }
    return int(arguments.size());
}

// Why the parser refused options it knows, said in German: Qt says it in
// English, as no translation can be loaded before the application exists.
QString refusal(const QStringList &arguments, const QString &qtReason)
{
    const int end = optionsEnd(arguments);
    for (int i = 1; i < end; ++i) {
        const QString &argument = arguments.at(i);
        if (!argument.startsWith(u'-'))
            continue;
        const QString option = argument.section(u'=', 0, 0);
        const bool withValue
            = qtOptionsWithValue.contains(option.mid(option.startsWith(u"--"_s) ? 2 : 1));
        if (withValue && option == argument && i + 1 == arguments.size())
            return messages::missingValue(option);
        if (!withValue && option != argument)
            return messages::unexpectedValue(option);
        if (withValue && option == argument)
            ++i;
    }
    return messages::badCommandLine(qtReason);
}

} // namespace

CommandLine parseCommandLine(const QStringList &arguments, const QString &workingFolder)
{
    QCommandLineParser parser;
    // Qt's own options come with one dash: "-platform offscreen".
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList {u"h"_s, u"help"_s});
    const QCommandLineOption version(QStringList {u"v"_s, u"version"_s});
    parser.addOption(help);
    parser.addOption(version);
    passOverQtOptions(parser);
    // The parser needs the "--" itself: without it, a file named "-a.mp3"
    // would be an unknown option.
    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        return failure(unknown.isEmpty() ? refusal(arguments, parser.errorText())
                                         : messages::unknownOption(unknown.first()));
    }
    if (parser.isSet(help))
        return {CommandLine::Action::PrintHelp, std::nullopt, {}};
    if (parser.isSet(version))
        return {CommandLine::Action::PrintVersion, std::nullopt, {}};

    const QStringList paths = parser.positionalArguments();
    if (paths.size() > 1)
        return failure(messages::tooManyArguments());
    if (paths.isEmpty())
        return {CommandLine::Action::OpenWindow, std::nullopt, {}, optionsEnd(arguments)};
    const QString given = paths.first();
    // Joined to the working folder, an empty argument would name that folder;
    // it is more likely a variable left empty in a script.
    if (given.isEmpty())
        return failure(messages::emptyPath());
    // cleanFolderPath() gives nothing for a relative path, which then
    // starts from the working folder.
    QString path = platform::cleanFolderPath(given);
    if (path.isEmpty())
        path = platform::cleanFolderPath(platform::joinPath(workingFolder, given));
    // "Does not exist" only where nothing is there: a path that cannot be
    // looked at says why.
    const platform::PathLookup found = platform::lookUpPath(path);
    switch (found.outcome) {
    case platform::PathLookup::Outcome::Found:
        break;
    case platform::PathLookup::Outcome::Missing:
        return failure(messages::noSuchPath(given));
    case platform::PathLookup::Outcome::TooLong:
        return failure(messages::pathTooLong(given));
    case platform::PathLookup::Outcome::NoPermission:
        return failure(messages::noPermission(given));
    case platform::PathLookup::Outcome::Failed:
        return failure(messages::cannotRead(given, found.systemError));
    }
    StartPath start {path, {}};
    if (found.kind != platform::EntryKind::Folder) {
        start.folder = platform::cleanFolderPath(platform::joinPath(path, u".."_s));
        start.file = path.section(platform::pathSeparator(), -1);
    }
    if (!platform::canListFolder(start.folder))
        return failure(messages::cannotOpen(start.folder));
    return {CommandLine::Action::OpenWindow, start, {}, optionsEnd(arguments)};
}

} // namespace namlex

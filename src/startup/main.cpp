#include "texts/messages.h"
#include "commands/platformfiles.h"
#include "journal/filejournal.h"
#include "platform/namecodec.h"
#include "platform/paths.h"
#include "startup/commandline.h"
#include "startup/configfile.h"
#include "startup/firststart.h"
#include "startup/qtgerman.h"
#include "startup/version.h"
#include "window/auswahlfenster.h"
#include "window/systemvolumes.h"

#include <QApplication>
#include <QFileInfo>
#include <QStandardPaths>

#include <cstdio>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

void print(std::FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

} // namespace

int main(int argc, char **argv)
{
    // The command line is read before anything needs a display, so that
    // --help, --version and a wrong argument never open a window. Its
    // arguments are taken byte for byte: a folder whose name is not UTF-8
    // opens too.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(namlex::platform::decodeName(QByteArray(argv[i])));
    const namlex::CommandLine line
        = namlex::parseCommandLine(arguments, namlex::platform::workingFolder());
    switch (line.action) {
    case namlex::CommandLine::Action::PrintHelp:
        print(stdout, namlex::messages::commandLineHelp());
        return 0;
    case namlex::CommandLine::Action::PrintVersion:
        print(stdout, u"namlex "_s + namlex::versionText() + u'\n');
        return 0;
    case namlex::CommandLine::Action::Fail:
        print(stderr, u"namlex: "_s + line.error + u'\n');
        return 2;
    case namlex::CommandLine::Action::OpenWindow:
        break;
    }

    // What follows "--" names a folder or file, even one called "-reverse".
    int qtArgc = line.qtArguments;
    std::vector<char *> qtArgv(argv, argv + qtArgc);
    qtArgv.push_back(nullptr);
    QApplication app(qtArgc, qtArgv.data());
    namlex::installQtGerman(app);
    QApplication::setApplicationName(u"Namlex"_s);
    QApplication::setApplicationVersion(namlex::versionText());
    // Ties the window to the installed menu entry and icon on Wayland.
    QGuiApplication::setDesktopFileName(u"io.github.namlex.Namlex"_s);

    const QString programFolder = QCoreApplication::applicationDirPath();
    const bool programFolderWritable = QFileInfo(programFolder).isWritable();
    namlex::ConfigFile config(programFolder,
                              QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation),
                              programFolderWritable);
    namlex::SystemVolumes volumes;
    namlex::PlatformFileSystem files;
    namlex::FileJournal journal(
        QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation));
    const QStringList fallbacks = namlex::fallbackFolders(
        programFolderWritable, QStandardPaths::writableLocation(QStandardPaths::MusicLocation),
        QStandardPaths::writableLocation(QStandardPaths::HomeLocation));
    namlex::AuswahlFenster window({files, journal, volumes, config, programFolder, fallbacks,
                                   namlex::versionText(), nullptr});
    window.load(line.start);
    window.show();
    return app.exec();
}

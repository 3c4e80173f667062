#include "commands/filejournal.h"
#include "commands/platformfiles.h"
#include "startup/configfile.h"
#include "startup/qtgerman.h"
#include "startup/version.h"
#include "window/auswahlfenster.h"
#include "window/systemvolumes.h"

#include <QApplication>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

// Namlex takes no arguments of its own; Qt consumes its own (-platform ...).
int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    namlex::installQtGerman(app);
    QApplication::setApplicationName(u"Namlex"_s);
    QApplication::setApplicationVersion(namlex::versionText());
    // Ties the window to the installed menu entry and icon on Wayland.
    QGuiApplication::setDesktopFileName(u"io.github.namlex.Namlex"_s);

    const QString programFolder = QCoreApplication::applicationDirPath();
    namlex::ConfigFile config(programFolder,
                              QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation),
                              QFileInfo(programFolder).isWritable());
    namlex::SystemVolumes volumes;
    namlex::PlatformRenamer renamer;
    namlex::PlatformDeleter deleter;
    namlex::PlatformInspector inspector;
    namlex::FileJournal journal(
        QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation));
    namlex::AuswahlFenster window({renamer, deleter, inspector, journal, volumes, config,
                                   programFolder, namlex::versionText(), nullptr});
    window.load();
    window.show();
    return app.exec();
}

#include "throughwindow.h"

#include "results.h"
#include "xsession.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

using namespace Qt::StringLiterals;

namespace namlex::bench {

WindowTimes timeThroughWindow(XSession &session, const QString &program, const QString &folder)
{
    WindowTimes times;
    // A copy of its own, so that its Config.ini and its records stay out of
    // the build folder and the user's home.
    QTemporaryDir home;
    const QString copy = home.filePath(u"namlex"_s);
    if (!QFile::copy(program, copy))
        return times;
    QProcess namlex;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"DISPLAY"_s, session.display());
    environment.insert(u"XDG_DATA_HOME"_s, home.filePath(u"data"_s));
    environment.insert(u"XDG_CONFIG_HOME"_s, home.filePath(u"config"_s));
    environment.remove(u"QT_QPA_PLATFORM"_s);
    namlex.setProcessEnvironment(environment);
    namlex.start(copy, {folder});
    if (session.waitForWindow(u"Namlex 1.2"_s)) {
        // Until the first re-read has settled.
        QThread::msleep(500);
        QElapsedTimer clock;
        clock.start();
        session.press("Return");
        if (session.waitForWindow(u"Bestätigung!"_s)) {
            times.question = elapsedMs(clock);
            QThread::msleep(1000);
            clock.start();
            session.press("Return");
            if (session.waitForWindow(u"Ergebnis des Wartens"_s, 120000))
                times.run = elapsedMs(clock);
            session.press("Return");
        }
    }
    namlex.kill();
    namlex.waitForFinished();
    return times;
}

} // namespace namlex::bench

#include "rawfiles.h"
#include "window/windowbench.h"

#include "texts/messages.h"
#include "platform/namecodec.h"
#include "startup/commandline.h"
#include "window/filelistbox.h"
#include "window/foldertree.h"

#include <QTest>

#include <cerrno>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace namlex;
using namespace namlex::test;

using Action = CommandLine::Action;
Q_DECLARE_METATYPE(Action)

class TestCommandLine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // "~" stands for a temporary folder that holds "Musik/01 - a.mp3", the
    // files "-a.mp3" and "-reverse", a folder whose name is not UTF-8, a
    // folder "Gesperrt" that may not be searched and a link "Schleife" to
    // itself; relative paths start from it. "forQt": how many arguments, the
    // program's own first, Qt may take its options from.
    void readsTheArguments_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<Action>("action");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("error");
        QTest::addColumn<int>("forQt");
        const QString undecodable = platform::decodeName("Lieder \xe4");
        const QString none;
        const QString tooLong = u"~/"_s + u"x/"_s.repeated(2100);
        QTest::newRow("no argument")
            << QStringList() << Action::OpenWindow << none << none << none << 1;
        QTest::newRow("a folder") << QStringList {u"~/Musik/"_s} << Action::OpenWindow
                                  << u"~/Musik"_s << none << none << 2;
        QTest::newRow("a file, relative")
            << QStringList {u"Musik/01 - a.mp3"_s} << Action::OpenWindow << u"~/Musik"_s
            << u"01 - a.mp3"_s << none << 2;
        QTest::newRow("a folder whose name is not UTF-8")
            << QStringList {u"~/"_s + undecodable} << Action::OpenWindow << u"~/"_s + undecodable
            << none << none << 2;
        QTest::newRow("Qt's own option is passed over")
            << QStringList {u"-platform"_s, u"offscreen"_s, u"~/Musik"_s} << Action::OpenWindow
            << u"~/Musik"_s << none << none << 4;
        QTest::newRow("a file named like an option, after --")
            << QStringList {u"--"_s, u"-a.mp3"_s} << Action::OpenWindow << u"~"_s << u"-a.mp3"_s
            << none << 1;
        QTest::newRow("Qt's option after -- names a file")
            << QStringList {u"-platform"_s, u"offscreen"_s, u"--"_s, u"-reverse"_s}
            << Action::OpenWindow << u"~"_s << u"-reverse"_s << none << 3;
        QTest::newRow("-- as the value of Qt's option")
            << QStringList {u"-title"_s, u"--"_s, u"-reverse"_s} << Action::OpenWindow << none
            << none << none << 4;
        QTest::newRow("a path that does not exist")
            << QStringList {u"~/nirgends"_s} << Action::Fail << none << none
            << messages::noSuchPath(u"~/nirgends"_s) << 0;
        QTest::newRow("a path over the system's limit")
            << QStringList {tooLong} << Action::Fail << none << none
            << messages::pathTooLong(tooLong) << 0;
        QTest::newRow("a file in a folder that may not be searched")
            << QStringList {u"~/Gesperrt/a.mp3"_s} << Action::Fail << none << none
            << messages::noPermission(u"~/Gesperrt/a.mp3"_s) << 0;
        QTest::newRow("a link to itself")
            << QStringList {u"~/Schleife"_s} << Action::Fail << none << none
            << messages::cannotRead(u"~/Schleife"_s, ELOOP) << 0;
        QTest::newRow("an empty argument")
            << QStringList {none} << Action::Fail << none << none << messages::emptyPath() << 0;
        QTest::newRow("two arguments") << QStringList {u"~/Musik"_s, u"~"_s} << Action::Fail << none
                                       << none << messages::tooManyArguments() << 0;
        QTest::newRow("an unknown option") << QStringList {u"--alles"_s} << Action::Fail << none
                                           << none << messages::unknownOption(u"alles"_s) << 0;
        QTest::newRow("--help") << QStringList {u"--help"_s} << Action::PrintHelp << none << none
                                << none << 0;
        QTest::newRow("-v") << QStringList {u"-v"_s} << Action::PrintVersion << none << none << none
                            << 0;
    }

    void readsTheArguments()
    {
        QFETCH(QStringList, arguments);
        QFETCH(Action, action);
        QFETCH(QString, folder);
        QFETCH(QString, file);
        QFETCH(QString, error);
        QFETCH(int, forQt);
        QTemporaryDir dir;
        const QByteArray root = QFile::encodeName(dir.path());
        QVERIFY(::mkdir(root + "/Musik", 0755) == 0 && ::mkdir(root + "/Lieder \xe4", 0755) == 0);
        QVERIFY(::mkdir(root + "/Gesperrt", 0) == 0
                && ::symlink("Schleife", root + "/Schleife") == 0);
        writeRawFile(root + "/Musik", "01 - a.mp3", "a");
        writeRawFile(root, "-a.mp3", "a");
        writeRawFile(root, "-reverse", "a");
        for (QString &argument : arguments)
            argument.replace(u'~', dir.path());

        // Root may search any folder, so root reads the command line as the
        // user "nobody", who needs a way into the temporary folder.
        QVERIFY(::chmod(root, 0755) == 0);
        const bool asRoot = ::geteuid() == 0;
        QVERIFY(!asRoot || ::seteuid(65534) == 0);
        const CommandLine line
            = parseCommandLine(QStringList {u"namlex"_s} + arguments, dir.path());
        QVERIFY(!asRoot || ::seteuid(0) == 0);
        ::rmdir(root + "/Lieder \xe4");
        ::rmdir(root + "/Gesperrt");
        QCOMPARE(line.action, action);
        QCOMPARE(line.start.has_value(), !folder.isEmpty());
        QCOMPARE(line.error, error.replace(u'~', dir.path()));
        QCOMPARE(line.qtArguments, forQt);
        if (line.start) {
            QCOMPARE(line.start->folder, folder.replace(u'~', dir.path()));
            QCOMPARE(line.start->file, file);
        }
    }

    // A file named on the command line is selected in its folder.
    void theFileAskedForIsSelected()
    {
        WindowBench bench;
        for (const QString &name : {u"a.mp3"_s, u"b.mp3"_s, u"c.mp3"_s})
            bench.touch(u"B/Musik/"_s + name);
        bench.open(bench.path(u"A/Musik"_s),
                   AuswahlFenster::StartPath {bench.path(u"B/Musik"_s), u"b.mp3"_s});
        QCOMPARE(bench.find<FolderTree>(u"Dir1"_s)->path(), bench.path(u"B/Musik"_s));
        QCOMPARE(bench.find<FileListBox>(u"File1"_s)->fileName(), u"b.mp3"_s);
    }
};

QTEST_MAIN(TestCommandLine)
#include "tst_commandline.moc"

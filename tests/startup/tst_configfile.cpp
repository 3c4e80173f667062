#include "rawfiles.h"
#include "window/windowbench.h"

#include "platform/namecodec.h"
#include "startup/configfile.h"
#include "startup/firststart.h"
#include "window/foldertree.h"

#include <QLabel>
#include <QScopeGuard>
#include <QTest>

#include <QDir>
#include <QTemporaryDir>

#include <csignal>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace namlex;
using namespace namlex::test;

namespace {

// Lowers the file size limit of this process for as long as it lives, and
// turns the signal that passing it raises into a plain write error.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(qint64 bytes)
    {
        if (bytes < 0)
            return;
        ::getrlimit(RLIMIT_FSIZE, &saved);
        previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = saved;
        lowered.rlim_cur = rlim_t(bytes);
        active = ::setrlimit(RLIMIT_FSIZE, &lowered) == 0;
    }
    ~FileSizeLimit()
    {
        if (!active)
            return;
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit saved = {};
    void (*previousHandler)(int) = nullptr;
    bool active = false;
};

} // namespace

class TestConfigFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:

    void firstLineEndsAtAnyLineEnd_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("CR LF") << QByteArray("/m\r\n/x\r\n") << QByteArray("/m");
        QTest::newRow("LF") << QByteArray("/m\n/x") << QByteArray("/m");
        QTest::newRow("lone CR") << QByteArray("/m\r/x") << QByteArray("/m");
        QTest::newRow("no line end") << QByteArray("/m") << QByteArray("/m");
        QTest::newRow("empty first line") << QByteArray("\r\n/x") << QByteArray();
    }

    void firstLineEndsAtAnyLineEnd()
    {
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, line);
        QCOMPARE(ConfigFile::firstLine(content), line);
    }

    void startUpOpensTheStoredFolder_data()
    {
        // "<root>" stands for the bench's temporary folder.
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("opened");
        const QByteArray program = "<root>/A/Programm";
        QTest::newRow("missing") << QByteArray() << program;
        QTest::newRow("empty") << QByteArray("") << program;
        QTest::newRow("several lines")
            << QByteArray("<root>/B/Musik\r\n<root>/A\r\n") << QByteArray("<root>/B/Musik");
        QTest::newRow("folder removed since") << QByteArray("<root>/B/Alt\r\n") << program;
        QTest::newRow("relative path") << QByteArray("B/Musik\r\n") << program;
        QTest::newRow("folder whose name is not UTF-8")
            << QByteArray("<root>/B/Lieder \xe4\r\n") << QByteArray("<root>/B/Lieder \xe4");
        QTest::newRow("old ANSI path of another system") << QByteArray("C:\\Musik\\\xdc"
                                                                       "ber\r\n")
                                                         << program;
        QTest::newRow("byte order mark")
            << QByteArray("\xef\xbb\xbf<root>/B/Musik\r\n") << QByteArray("<root>/B/Musik");
    }

    void startUpOpensTheStoredFolder()
    {
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, opened);
        WindowBench bench;
        const QByteArray root = bench.dir.path().toUtf8();
        QCOMPARE(::mkdir(root + "/B/Lieder \xe4", 0755), 0);
        // QTemporaryDir cannot remove a name that is not UTF-8.
        const auto removeUndecodable = qScopeGuard([&] { ::rmdir(root + "/B/Lieder \xe4"); });
        const QString program = bench.path(u"A/Programm"_s);
        if (!content.isNull())
            writeRawFile(program.toUtf8(), "Config.ini", content.replace("<root>", root));
        ConfigFile config(program, bench.path(u"user"_s), true);
        bench.store = &config;

        AuswahlFenster &window = bench.open(std::nullopt);
        const QByteArray expected = opened.replace("<root>", root);
        QCOMPARE(platform::encodeName(bench.find<FolderTree>(u"Dir1"_s)->path()),
                 std::optional<QByteArray>(expected));
        QCOMPARE(bench.find<QLabel>(u"PfadAnz"_s)->text(),
                 platform::displayName(platform::decodeName(expected)));
        QVERIFY(bench.prompter.shown.isEmpty());

        // Closing rewrites the file with the one folder shown, ended by CR LF.
        QVERIFY(window.close());
        QCOMPARE(readRawFile(program.toUtf8(), "Config.ini"), expected + "\r\n");
        QVERIFY(!QFile::exists(bench.path(u"user/Config.ini"_s)));
    }

    // Closing writes one place only, and start-up reads what closing wrote:
    // a program in a writable folder never reads the user's file. A
    // Config.ini left beside a program folder the user cannot write to (by
    // an administrator, say) counts only while the user has none.
    void whereTheFileLives_data()
    {
        QTest::addColumn<bool>("writable");
        QTest::addColumn<QByteArray>("besideProgram"); // empty: no file there
        QTest::addColumn<QByteArray>("perUser");
        QTest::addColumn<QByteArray>("read");
        QTest::addColumn<QByteArray>("writtenTo"); // "program" or "user"
        QTest::newRow("writable program folder")
            << true << QByteArray("/p\r\n") << QByteArray("/u\r\n") << QByteArray("/p")
            << QByteArray("program");
        QTest::newRow("writable program folder without a file of its own")
            << true << QByteArray() << QByteArray("/u\r\n") << QByteArray()
            << QByteArray("program");
        QTest::newRow("installed: the user's file wins over a stale one")
            << false << QByteArray("/p\r\n") << QByteArray("/u\r\n") << QByteArray("/u")
            << QByteArray("user");
        QTest::newRow("installed: the one beside the program while the user has none")
            << false << QByteArray("/p\r\n") << QByteArray() << QByteArray("/p")
            << QByteArray("user");
        QTest::newRow("installed, no file at all")
            << false << QByteArray() << QByteArray() << QByteArray() << QByteArray("user");
    }

    void whereTheFileLives()
    {
        QFETCH(bool, writable);
        QFETCH(QByteArray, besideProgram);
        QFETCH(QByteArray, perUser);
        QFETCH(QByteArray, read);
        QFETCH(QByteArray, writtenTo);
        QTemporaryDir dir;
        const QByteArray program = QFile::encodeName(dir.filePath(u"program"_s));
        const QByteArray user = QFile::encodeName(dir.filePath(u"user"_s));
        QVERIFY(QDir().mkpath(dir.filePath(u"program"_s)) && QDir().mkpath(dir.filePath(u"user"_s)));
        if (!besideProgram.isEmpty())
            writeRawFile(program, "Config.ini", besideProgram);
        if (!perUser.isEmpty())
            writeRawFile(user, "Config.ini", perUser);
        ConfigFile config(QFile::decodeName(program), QFile::decodeName(user), writable);
        QCOMPARE(config.readFolder().value_or(QString()).toUtf8(), read);

        config.writeFolder(u"/neu"_s);
        QCOMPARE(readRawFile(writtenTo == "user" ? user : program, "Config.ini"),
                 QByteArray("/neu\r\n"));
    }

    // With no folder stored, a copy of the program in a folder it can write
    // to opens on that folder; an installed program on the user's music
    // folder, or the home folder where there is none.
    void firstStartOpens_data()
    {
        QTest::addColumn<bool>("writable");
        QTest::addColumn<bool>("musicFolder");
        QTest::addColumn<QString>("opened");
        QTest::newRow("a copy in a writable folder") << true << true << u"A/Programm"_s;
        QTest::newRow("installed") << false << true << u"B/Musik"_s;
        QTest::newRow("installed, no music folder") << false << false << u"B"_s;
    }

    void firstStartOpens()
    {
        QFETCH(bool, writable);
        QFETCH(bool, musicFolder);
        QFETCH(QString, opened);
        WindowBench bench;
        ConfigFile config(bench.path(u"A/Programm"_s), bench.path(u"user"_s), writable);
        bench.store = &config;
        const QString music = bench.path(musicFolder ? u"B/Musik"_s : u"B/Musik fehlt"_s);
        bench.fallbackFolders = fallbackFolders(writable, music, bench.path(u"B"_s));
        bench.open(std::nullopt);
        QCOMPARE(bench.find<FolderTree>(u"Dir1"_s)->path(), bench.path(opened));
    }

    // The file is replaced whole or not at all: a write that fails, here at
    // a file size limit as on a full disk, leaves the old file as it was, and
    // so does a folder that one line cannot hold.
    void writingReplacesTheFileWhole_data()
    {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<qint64>("sizeLimit"); // -1: none
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("written") << u"/neu"_s << qint64(-1) << QByteArray("/neu\r\n");
        QTest::newRow("disk full while writing")
            << u"/neu"_s << qint64(2) << QByteArray("/alt\r\n");
        QTest::newRow("a folder whose name holds LF")
            << u"/neu\n/a"_s << qint64(-1) << QByteArray("/alt\r\n");
        QTest::newRow("a folder whose name holds CR")
            << u"/neu\r/a"_s << qint64(-1) << QByteArray("/alt\r\n");
    }

    void writingReplacesTheFileWhole()
    {
        QFETCH(QString, shown);
        QFETCH(qint64, sizeLimit);
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const QByteArray folder = QFile::encodeName(dir.path());
        writeRawFile(folder, "Config.ini", "/alt\r\n");
        // A second name for the old file shows whether it was written over.
        QCOMPARE(::link(folder + "/Config.ini", folder + "/old"), 0);
        ConfigFile config(dir.path(), dir.filePath(u"user"_s), true);
        {
            const FileSizeLimit limit(sizeLimit);
            config.writeFolder(shown);
        }
        QCOMPARE(readRawFile(folder, "Config.ini"), content);
        QCOMPARE(readRawFile(folder, "old"), QByteArray("/alt\r\n"));
        QCOMPARE(rawNames(folder), (QList<QByteArray> {"Config.ini", "old"}));
    }
};

QTEST_MAIN(TestConfigFile)
#include "tst_configfile.moc"

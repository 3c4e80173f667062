#include "platform/folderlisting.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <fcntl.h>
#include <sys/stat.h>

using namespace namlex::platform;
using namespace Qt::StringLiterals;

// What happens in the folder after the last read; the stamps taken then.
using FolderChange = std::function<void(const QTemporaryDir &, const FolderStamp &)>;
Q_DECLARE_METATYPE(FolderChange)

class TestListing : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

private Q_SLOTS:
    void initTestCase()
    {
        const QDir folder(dir.path());
        for (const QString &file :
             {u"10 - x.mp3"_s, u"2 - x.mp3"_s, u"SONG.MP3"_s, u".x.mp3"_s, u"b.wma"_s, u"c.txt"_s})
            QVERIFY(QFile(folder.filePath(file)).open(QIODevice::WriteOnly));
        for (const QString &sub : {u"a.mp3"_s, u"sub"_s, u".hidden"_s})
            QVERIFY(folder.mkdir(sub));
        QVERIFY(QFile::link(folder.filePath(u"sub"_s), folder.filePath(u"link.mp3"_s)));
        QVERIFY(QFile::link(folder.filePath(u"gone"_s), folder.filePath(u"broken.mp3"_s)));
        QVERIFY(QFile::link(folder.filePath(u"b.wma"_s), folder.filePath(u"filelink.wma"_s)));
    }

    // Which names match a pattern is up to the wildcard; the listing adds
    // hidden files, links to files and broken links, but no folders or links
    // to them, all in natural order.
    void listFiles_data()
    {
        QTest::addColumn<QString>("patterns");
        QTest::addColumn<QStringList>("files");
        QTest::newRow("mp3-and-wma")
            << u"*.mp3;*.wma"_s
            << QStringList {u".x.mp3"_s,     u"2 - x.mp3"_s,    u"10 - x.mp3"_s, u"b.wma"_s,
                            u"broken.mp3"_s, u"filelink.wma"_s, u"SONG.MP3"_s};
        QTest::newRow("no-pattern") << QString() << QStringList();
    }

    void listFiles()
    {
        QFETCH(QString, patterns);
        QFETCH(QStringList, files);
        const std::optional<QStringList> listed
            = namlex::platform::listFiles(dir.path(), patterns.split(u';', Qt::SkipEmptyParts));
        QVERIFY(listed);
        QCOMPARE(*listed, files);
    }

    void listSubfolders()
    {
        QCOMPARE(namlex::platform::listSubfolders(dir.path()).value_or(QStringList()),
                 (QStringList {u"a.mp3"_s, u"link.mp3"_s, u"sub"_s}));
    }

    // A folder is read again unless its stamps prove that nothing changed
    // since a listing taken well after its last change; every change is seen.
    void rereadsOnlyWhenSomethingMayHaveChanged_data()
    {
        QTest::addColumn<bool>("settled"); // the last read came long after the last change
        QTest::addColumn<FolderChange>("change"); // empty: none
        QTest::addColumn<bool>("reread");
        const auto add = [](const QTemporaryDir &folder, const FolderStamp &) {
            QVERIFY(QFile(folder.filePath(u"b.mp3"_s)).open(QIODevice::WriteOnly));
        };
        QTest::newRow("unchanged, settled") << true << FolderChange() << false;
        QTest::newRow("unchanged, changed just before the last read")
            << false << FolderChange() << true;
        QTest::newRow("file added") << true << FolderChange(add) << true;
        QTest::newRow("file renamed")
            << true << FolderChange([](const QTemporaryDir &folder, auto &) {
                   QVERIFY(QFile::rename(folder.filePath(u"a.mp3"_s), folder.filePath(u"c.mp3"_s)));
               })
            << true;
        QTest::newRow("file removed")
            << true << FolderChange([](const QTemporaryDir &folder, auto &) {
                   QVERIFY(QFile::remove(folder.filePath(u"a.mp3"_s)));
               })
            << true;
        // As "cp -a" and "rsync -t" do: only the time of the last status
        // change tells.
        QTest::newRow("file added, the folder's time put back")
            << true << FolderChange([add](const QTemporaryDir &folder, const FolderStamp &before) {
                   add(folder, before);
                   const timespec times[2]
                       = {{0, UTIME_OMIT},
                          {before.modifiedNs / 1'000'000'000, before.modifiedNs % 1'000'000'000}};
                   QVERIFY(::utimensat(AT_FDCWD, QFile::encodeName(folder.path()), times, 0) == 0);
               })
            << true;
    }

    void rereadsOnlyWhenSomethingMayHaveChanged()
    {
        QFETCH(bool, settled);
        QFETCH(FolderChange, change);
        QFETCH(bool, reread);
        QTemporaryDir folder;
        QVERIFY(QFile(folder.filePath(u"a.mp3"_s)).open(QIODevice::WriteOnly));
        RawListing previous = rawFileNamesSince(folder.path(), {});
        if (!previous.stamp.trusted && !reread)
            QSKIP("This file system's folder stamps are not trusted; it is always read");
        // As if the folder had been read three seconds later.
        if (settled)
            previous.stamp.readNs += 3'000'000'000;
        // A change gets a stamp of its own only in a later step of the file
        // system's clock, which on ext2/3 moves by whole seconds.
        if (change) {
            QThread::usleep(1'010'000 - previous.stamp.modifiedNs % 1'000'000'000 / 1000);
            change(folder, previous.stamp);
        }

        const RawListing next = rawFileNamesSince(folder.path(), previous);
        QCOMPARE(next.stamp != previous.stamp, reread);
        QCOMPARE(next.names != previous.names, bool(change));
    }

    // After a run the list's names are known; the folder only confirms them.
    void holdsExactly_data()
    {
        QTest::addColumn<QByteArray>("raw"); // as rawFileNames() gives them
        QTest::addColumn<bool>("holds");
        QTest::newRow("the names expected") << "a.mp3\0b.mp3\0"_ba << true;
        QTest::newRow("and a file the filter leaves out") << "a.mp3\0c.txt\0b.mp3\0"_ba << true;
        QTest::newRow("and a file the filter lists") << "a.mp3\0B.MP3\0b.mp3\0"_ba << false;
        QTest::newRow("one expected name missing") << "a.mp3\0"_ba << false;
    }

    void holdsExactly()
    {
        QFETCH(QByteArray, raw);
        QFETCH(bool, holds);
        QCOMPARE(namlex::platform::holdsExactly(raw, {"a.mp3", "b.mp3"}, {u"*.mp3"_s}), holds);
    }

    void missingFolder()
    {
        const QString missing = dir.filePath(u"missing"_s);
        QVERIFY(!namlex::platform::listFiles(missing, {u"*.*"_s}));
        QVERIFY(!namlex::platform::listSubfolders(missing));
        QVERIFY(!canListFolder(missing));
        QVERIFY(canListFolder(dir.path()));
    }
};

QTEST_MAIN(TestListing)
#include "tst_listing_posix.moc"

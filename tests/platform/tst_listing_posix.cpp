#include "platform/folderlisting.h"

#include "testregistry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace namlex::platform;
using namespace Qt::StringLiterals;

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

    void missingFolder()
    {
        const QString missing = dir.filePath(u"missing"_s);
        QVERIFY(!namlex::platform::listFiles(missing, {u"*.*"_s}));
        QVERIFY(!namlex::platform::listSubfolders(missing));
        QVERIFY(!canListFolder(missing));
        QVERIFY(canListFolder(dir.path()));
    }
};

NAMLEX_REGISTER_TEST(TestListing)

#include "tst_listing_posix.moc"

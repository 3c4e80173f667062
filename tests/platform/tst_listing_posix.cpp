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
        QVERIFY(dir.isValid());
        const QDir folder(dir.path());
        for (const QString &file : {u"10 - x.mp3"_s, u"2 - x.mp3"_s, u"SONG.MP3"_s, u".x.mp3"_s,
                                    u"b.wma"_s, u"c.txt"_s, u"README"_s}) {
            QFile out(folder.filePath(file));
            QVERIFY(out.open(QIODevice::WriteOnly));
        }
        for (const QString &sub : {u"a.mp3"_s, u"sub"_s, u".hidden"_s})
            QVERIFY(folder.mkdir(sub));
        QVERIFY(QFile::link(folder.filePath(u"sub"_s), folder.filePath(u"link.mp3"_s)));
        QVERIFY(QFile::link(folder.filePath(u"gone"_s), folder.filePath(u"broken.mp3"_s)));
        QVERIFY(QFile::link(folder.filePath(u"b.wma"_s), folder.filePath(u"filelink.wma"_s)));
    }

    void listFiles_data()
    {
        QTest::addColumn<QString>("patterns");
        QTest::addColumn<QStringList>("files");
        const QStringList music {u".x.mp3"_s,     u"2 - x.mp3"_s,    u"10 - x.mp3"_s, u"b.wma"_s,
                                 u"broken.mp3"_s, u"filelink.wma"_s, u"SONG.MP3"_s};
        QTest::newRow("mp3-and-wma") << u"*.mp3;*.wma"_s << music;
        QTest::newRow("every-file-dot-or-not")
            << u"*.*"_s << QStringList {u".x.mp3"_s,       u"2 - x.mp3"_s,  u"10 - x.mp3"_s,
                                        u"b.wma"_s,        u"broken.mp3"_s, u"c.txt"_s,
                                        u"filelink.wma"_s, u"README"_s,     u"SONG.MP3"_s};
        QTest::newRow("upper-case-pattern")
            << u"*.MP3"_s
            << QStringList {u".x.mp3"_s, u"2 - x.mp3"_s, u"10 - x.mp3"_s, u"broken.mp3"_s,
                            u"SONG.MP3"_s};
        QTest::newRow("no-pattern") << QString() << QStringList();
    }

    void listFiles()
    {
        QFETCH(QString, patterns);
        QFETCH(QStringList, files);
        const QStringList patternList = patterns.split(u';', Qt::SkipEmptyParts);
        const std::optional<QStringList> listed
            = namlex::platform::listFiles(dir.path(), patternList);
        QVERIFY(listed.has_value());
        QCOMPARE(*listed, files);
    }

    void listSubfolders()
    {
        const QStringList folders {u"a.mp3"_s, u"link.mp3"_s, u"sub"_s};
        const std::optional<QStringList> listed = namlex::platform::listSubfolders(dir.path());
        QVERIFY(listed.has_value());
        QCOMPARE(*listed, folders);
    }

    void missingFolder()
    {
        const QString missing = dir.filePath(u"missing"_s);
        QVERIFY(!namlex::platform::listFiles(missing, {u"*.*"_s}).has_value());
        QVERIFY(!namlex::platform::listSubfolders(missing).has_value());
        QVERIFY(!canListFolder(missing));
        QVERIFY(canListFolder(dir.path()));
    }
};

NAMLEX_REGISTER_TEST(TestListing)

#include "tst_listing_posix.moc"

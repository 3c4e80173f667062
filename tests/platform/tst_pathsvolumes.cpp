#include "platform/paths.h"
#include "platform/volumes.h"


#include <QDir>
#include <QTest>

using namespace namlex::platform;
using namespace Qt::StringLiterals;

class TestPathsVolumes : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A name that can stand on its own is joined to its folder by one separator.
    void nameInFolder_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("path"); // empty: not a plain file name
        const QString escapedByte(QChar(0xDCE4));
        QTest::newRow("root") << u"/"_s << u"x.mp3"_s << u"/x.mp3"_s;
        QTest::newRow("folder") << u"/music"_s << u"x.mp3"_s << u"/music/x.mp3"_s;
        QTest::newRow("folder-with-separator") << u"/music/"_s << u"x.mp3"_s << u"/music/x.mp3"_s;
        QTest::newRow("hidden") << u"/music"_s << u".x"_s << u"/music/.x"_s;
        QTest::newRow("three-dots") << u"/music"_s << u"..."_s << u"/music/..."_s;
        QTest::newRow("escaped-byte") << u"/"_s << escapedByte << u'/' + escapedByte;
        QTest::newRow("empty") << u"/"_s << QString() << QString();
        QTest::newRow("dot") << u"/"_s << u"."_s << QString();
        QTest::newRow("dot-dot") << u"/"_s << u".."_s << QString();
        QTest::newRow("separator") << u"/"_s << u"a"_s + pathSeparator() + u"b"_s << QString();
        QTest::newRow("nul") << u"/"_s << u"a"_s + QChar(0) + u"b"_s << QString();
        QTest::newRow("lone-high-surrogate") << u"/"_s << QString(QChar(0xD83D)) << QString();
    }

    void nameInFolder()
    {
        QFETCH(QString, folder);
        QFETCH(QString, name);
        QFETCH(QString, path);
        QCOMPARE(isPlainFileName(name), !path.isEmpty());
        if (!path.isEmpty())
            QCOMPARE(joinPath(QDir::toNativeSeparators(folder), name),
                     QDir::toNativeSeparators(path));
    }

    // Cleaning is string work; the chain runs from the root down to the folder.
    void folderPathAndChain_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QStringList>("chain"); // empty: not an absolute path
        QTest::newRow("root") << u"/"_s << QStringList {u"/"_s};
        QTest::newRow("nested") << u"/a/b"_s << QStringList {u"/"_s, u"/a"_s, u"/a/b"_s};
        QTest::newRow("doubled and trailing separators")
            << u"//a//b/"_s << QStringList {u"/"_s, u"/a"_s, u"/a/b"_s};
        QTest::newRow("dot and dot-dot")
            << u"/a/./c/../b"_s << QStringList {u"/"_s, u"/a"_s, u"/a/b"_s};
        QTest::newRow("dot-dot above the root") << u"/../a"_s << QStringList {u"/"_s, u"/a"_s};
        QTest::newRow("escaped byte")
            << u"/a"_s + QChar(0xDCE4) << QStringList {u"/"_s, u"/a"_s + QChar(0xDCE4)};
        QTest::newRow("relative") << u"a/b"_s << QStringList();
        QTest::newRow("empty") << QString() << QStringList();
    }

    void folderPathAndChain()
    {
        QFETCH(QString, path);
        QFETCH(QStringList, chain);
        const QString clean = cleanFolderPath(path);
        QCOMPARE(clean, chain.isEmpty() ? QString() : chain.last());
        if (!chain.isEmpty())
            QCOMPARE(folderChain(clean), chain);
    }

    void volumeHolding_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("text"); // of the volume that holds the path; empty: none
        QTest::newRow("inside-labelled-volume") << u"/media/usb/x"_s << u"/media/usb [STICK]"_s;
        QTest::newRow("volume-root-itself") << u"/media/usb"_s << u"/media/usb [STICK]"_s;
        QTest::newRow("longer-name-beside-volume") << u"/media/usb2"_s << u"/"_s;
        QTest::newRow("nested-volume-named-as-its-root")
            << u"/media/usb/inner/x"_s << u"/media/usb/inner"_s;
        QTest::newRow("root-without-name") << u"/"_s << u"/"_s;
        QTest::newRow("relative") << u"music/x"_s << QString();
        QTest::newRow("empty") << QString() << QString();
    }

    void volumeHolding()
    {
        QFETCH(QString, path);
        QFETCH(QString, text);
        // The nested volume comes before the volume that holds it, so the
        // longest root has to win rather than the first match.
        const QString inner = QDir::toNativeSeparators(u"/media/usb/inner"_s);
        const QList<Volume> volumes {{QDir::toNativeSeparators(u"/"_s), {}},
                                     {inner, inner},
                                     {QDir::toNativeSeparators(u"/media/usb"_s), u"STICK"_s}};
        const int index = namlex::platform::volumeHolding(volumes, QDir::toNativeSeparators(path));
        QCOMPARE(index < 0 ? QString() : volumeText(volumes.at(index)),
                 QDir::toNativeSeparators(text));
    }

    void mountedVolumesHoldTheWorkingFolder()
    {
        const QList<Volume> volumes = mountedVolumes();
        QVERIFY(namlex::platform::volumeHolding(volumes, workingFolder()) >= 0);
#ifdef Q_OS_LINUX
        for (const Volume &volume : volumes)
            QVERIFY2(volume.rootPath != u"/proc", "a pseudo file system is listed");
#endif
    }
};

QTEST_MAIN(TestPathsVolumes)
#include "tst_pathsvolumes.moc"

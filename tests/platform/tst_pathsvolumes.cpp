#include "platform/paths.h"
#include "platform/volumes.h"

#include "testregistry.h"

#include <QDir>
#include <QTest>

using namespace namlex::platform;
using namespace Qt::StringLiterals;

class TestPathsVolumes : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void joinPath_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("path");
        QTest::newRow("root") << u"/"_s << u"x.mp3"_s << u"/x.mp3"_s;
        QTest::newRow("folder") << u"/music"_s << u"x.mp3"_s << u"/music/x.mp3"_s;
        QTest::newRow("folder-with-separator") << u"/music/"_s << u"x.mp3"_s << u"/music/x.mp3"_s;
    }

    void joinPath()
    {
        QFETCH(QString, folder);
        QFETCH(QString, name);
        QFETCH(QString, path);
        QCOMPARE(namlex::platform::joinPath(QDir::toNativeSeparators(folder), name),
                 QDir::toNativeSeparators(path));
    }

    void isPlainFileName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("plain");
        QTest::newRow("ordinary") << u"x.mp3"_s << true;
        QTest::newRow("hidden") << u".x"_s << true;
        QTest::newRow("three-dots") << u"..."_s << true;
        QTest::newRow("escaped-byte") << QString(QChar(0xDCE4)) << true;
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("dot") << u"."_s << false;
        QTest::newRow("dot-dot") << u".."_s << false;
        QTest::newRow("separator") << QString(u"a"_s + pathSeparator() + u"b"_s) << false;
        QTest::newRow("nul") << QString(u"a"_s + QChar(0) + u"b"_s) << false;
        QTest::newRow("lone-high-surrogate") << QString(QChar(0xD83D)) << false;
    }

    void isPlainFileName()
    {
        QFETCH(QString, name);
        QFETCH(bool, plain);
        QCOMPARE(namlex::platform::isPlainFileName(name), plain);
    }

    void volumeText_data()
    {
        QTest::addColumn<QString>("rootPath");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::newRow("no-name") << u"/"_s << QString() << u"/"_s;
        QTest::newRow("label") << u"/media/usb"_s << u"STICK"_s << u"/media/usb [STICK]"_s;
        QTest::newRow("name-equals-root") << u"/media/usb"_s << u"/media/usb"_s << u"/media/usb"_s;
    }

    void volumeText()
    {
        QFETCH(QString, rootPath);
        QFETCH(QString, name);
        QFETCH(QString, text);
        QCOMPARE(namlex::platform::volumeText({rootPath, name}), text);
    }

    void volumeHolding_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("index");
        QTest::newRow("inside-volume") << u"/media/usb/x"_s << 2;
        QTest::newRow("volume-root-itself") << u"/media/usb"_s << 2;
        QTest::newRow("longer-name-beside-volume") << u"/media/usb2"_s << 0;
        QTest::newRow("nested-volume") << u"/media/usb/inner/x"_s << 1;
        QTest::newRow("root") << u"/"_s << 0;
        QTest::newRow("relative") << u"music/x"_s << -1;
        QTest::newRow("empty") << QString() << -1;
    }

    void volumeHolding()
    {
        QFETCH(QString, path);
        QFETCH(int, index);
        // The nested volume comes before the volume that holds it, so the
        // longest root has to win rather than the first match.
        const QList<Volume> volumes {{QDir::toNativeSeparators(u"/"_s), {}},
                                     {QDir::toNativeSeparators(u"/media/usb/inner"_s), {}},
                                     {QDir::toNativeSeparators(u"/media/usb"_s), {}}};
        QCOMPARE(namlex::platform::volumeHolding(volumes, QDir::toNativeSeparators(path)), index);
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

NAMLEX_REGISTER_TEST(TestPathsVolumes)

#include "tst_pathsvolumes.moc"

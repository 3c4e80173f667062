#include "platform/volumeplace.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace namlex::platform;

class TestVolumePlace : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Where udev gives no name, the program reads the id itself; it must be
    // the id blkid gives, so that a volume is known by either.
    void readsTheIdBlkidGives_data()
    {
        QTest::addColumn<QStringList>("make");
        QTest::newRow("FAT16") << QStringList {u"mkfs.vfat"_s, u"-F"_s, u"16"_s};
        QTest::newRow("FAT32") << QStringList {u"mkfs.vfat"_s, u"-F"_s, u"32"_s};
        QTest::newRow("exFAT") << QStringList {u"mkfs.exfat"_s};
        QTest::newRow("ext4") << QStringList {u"mke2fs"_s, u"-q"_s, u"-F"_s, u"-t"_s, u"ext4"_s};
    }

    void readsTheIdBlkidGives()
    {
        QFETCH(QStringList, make);
        const QStringList sbin {u"/usr/sbin"_s, u"/sbin"_s};
        const QString tool = QStandardPaths::findExecutable(make.first(), sbin);
        const QString blkid = QStandardPaths::findExecutable(u"blkid"_s, sbin);
        if (tool.isEmpty() || blkid.isEmpty())
            QSKIP("the tools to make and read file systems are not installed");
        QTemporaryDir dir;
        const QString image = dir.filePath(u"image"_s);
        QFile file(image);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(64 * 1024 * 1024));
        file.close();
        QCOMPARE(QProcess::execute(tool, make.mid(1) << image), 0);
        QProcess read;
        read.start(blkid, {u"-p"_s, u"-o"_s, u"value"_s, u"-s"_s, u"UUID"_s, image});
        QVERIFY(read.waitForFinished());
        const QString expected = QString::fromLatin1(read.readAllStandardOutput().trimmed());
        QVERIFY(!expected.isEmpty());
        QCOMPARE(fileSystemIdIn(image), expected);
    }

    // A folder is found again by its place on its volume.
    void findsAFolderByItsPlace()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(u"Musik"_s));
        const QString folder = QDir(dir.path()).canonicalPath() + u"/Musik"_s;
        const std::optional<VolumePlace> place = volumePlaceOf(folder);
        QVERIFY(place);
        QVERIFY(place->pathInside.endsWith(u"/Musik"_s));
        QVERIFY(!place->volume.isEmpty());
        QVERIFY(foldersAt(*place).contains(folder));
        QVERIFY(QDir(dir.path()).rename(u"Musik"_s, u"weg"_s));
        QVERIFY(!foldersAt(*place).contains(folder));
    }
};

QTEST_MAIN(TestVolumePlace)
#include "tst_volumeplace_posix.moc"

// The plan's rules for letter case and length against what the file system
// really does: each file the plan renames is renamed by the kernel, and
// each it fails is refused. Runs on the temporary folder, or on the one
// NAMLEX_TEST_DIR names, such as a FAT or exFAT stick.
#include "commandbench.h"

#include "commands/runplan.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace namlex;
using namespace namlex::test;

class TestPlanOnMedium : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void thePlanForeseesTheFileSystem_data()
    {
        // "old>new" for a file to rename, "old" for one that stays.
        QTest::addColumn<QStringList>("files");
        const QString x251(251, u'x');
        QTest::newRow("a name taken in other letters")
            << QStringList {u"01 - Titel.mp3>Titel.mp3"_s, u"TITEL.MP3"_s};
        QTest::newRow("two new names in other letters")
            << QStringList {u"1_a.mp3>a.mp3"_s, u"2_A.mp3>A.mp3"_s};
        QTest::newRow("a name an earlier entry frees, in other letters")
            << QStringList {u"a.mp3>b.mp3"_s, u"c.mp3>A.MP3"_s};
        QTest::newRow("149 characters with umlauts, 288 bytes")
            << QStringList {u"a.mp3>"_s + QString(140, u'ä') + u"_123.mp3"_s};
        QTest::newRow("255 and 256 characters")
            << QStringList {u"a.mp3>"_s + x251 + u".mp3"_s, u"b.mp3>"_s + x251 + u"x.mp3"_s};
        QTest::newRow("an umlaut in other letters") << QStringList {u"1_ä.mp3>ä.mp3"_s, u"Ä.mp3"_s};
    }

    void thePlanForeseesTheFileSystem()
    {
        QFETCH(QStringList, files);
        QHash<QString, QString> newNames;
        QList<QByteArray> oldNames;
        for (const QString &file : files) {
            const QString old = file.section(u'>', 0, 0);
            newNames.insert(old, file.contains(u'>') ? file.section(u'>', 1) : old);
            oldNames.append(old.toUtf8());
        }
        Bench bench(true, oldNames);
        const std::unique_ptr<Folder> folder = bench.files.openFolder(bench.dir.path());
        const RunPlan plan = planRun(
            bench.list.names(),
            [&](const QString &name, bool) { return NewName {newNames.value(name)}; }, true,
            *folder);

        // Every rename is tried in the plan's order, even those it fails:
        // none replaces a file, so a wrong plan shows as a file renamed or
        // refused against it.
        for (const PlannedEntry &entry : plan.entries) {
            if (entry.step == PlannedEntry::Step::Keep)
                continue;
            const bool renamed = folder->rename(entry.file.oldName, entry.file.newName).ok();
            const QString what
                = entry.file.oldName.left(20) + u" > "_s + entry.file.newName.left(20);
            if (entry.problem.uncertain())
                qInfo("unsure in the plan, %s: %s", renamed ? "renamed" : "refused",
                      qPrintable(what));
            else
                QVERIFY2(renamed == (entry.step == PlannedEntry::Step::Rename), qPrintable(what));
        }
        // No file lost, none overwritten.
        QList<QByteArray> contents;
        for (const QByteArray &name : bench.names())
            contents.append(readRawFile(bench.raw(), name));
        std::sort(contents.begin(), contents.end());
        std::sort(oldNames.begin(), oldNames.end());
        QCOMPARE(contents, oldNames);
    }
};

QTEST_MAIN(TestPlanOnMedium)
#include "tst_planonmedium.moc"

#include "commandbench.h"
#include "rawfiles.h"

#include "commands/journalformat.h"
#include "commands/messages.h"
#include "commands/renamecommands.h"
#include "commands/undocommand.h"

#include <QDir>
#include <QProcess>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace namlex;
using namespace namlex::test;

namespace {

// The newest record of the journal, to be damaged on purpose.
QString newestRecord(const Bench &bench)
{
    const QDir dir(bench.journalDir.path());
    return dir.filePath(dir.entryList({u"*.run"_s}, QDir::Files, QDir::Name).last());
}

void rewrite(const QString &path, const std::function<void(QByteArray &)> &change)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QByteArray content = file.readAll();
    change(content);
    QVERIFY(file.resize(0) && file.write(content) == content.size());
}

} // namespace

class TestUndoCommand : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Undo renames back only the files the run renamed, and only while they
    // are provably the same files.
    void undoesTheLastRun_data()
    {
        QTest::addColumn<QList<QByteArray>>("files");
        QTest::addColumn<int>("stopAfter"); // "Abbrechen" after this many files; 0: never
        QTest::addColumn<QString>("since"); // what happened after the run
        QTest::addColumn<QList<QByteArray>>("afterUndo");
        QTest::addColumn<QString>("summary");
        const QList<QByteArray> three {"01 - a_x.mp3", "02 - b.mp3", "03 - \xe4_c.mp3"};
        const QString allBack = u"3 Dateien haben ihren alten Namen zurück."_s;
        QTest::newRow("a finished run") << three << 0 << QString() << three << allBack;
        QTest::newRow("a run stopped after two files")
            << three << 2 << QString() << three << u"2 Dateien haben ihren alten Namen zurück."_s;
        QTest::newRow("a clash leaves the file that had the name")
            << QList<QByteArray> {"01 - a.mp3", "02 - b.mp3", "a.mp3"} << 0 << QString()
            << QList<QByteArray> {"01 - a.mp3", "02 - b.mp3", "a.mp3"}
            << u"1 Datei hat ihren alten Namen zurück."_s;
        QTest::newRow("a file appeared under an old name since")
            << three << 0 << u"new file under an old name"_s
            << QList<QByteArray> {"01 - a_x.mp3", "02 - b.mp3", "03 - \xe4_c.mp3", "b.mp3"}
            << u"2 Dateien haben ihren alten Namen zurück.\r1 Datei konnte nicht "
               u"zurückbenannt werden."_s;
        QTest::newRow("another file stands under a new name since")
            << three << 0 << u"another file under a new name"_s
            << QList<QByteArray> {"01 - a_x.mp3", "03 - \xe4_c.mp3", "b.mp3"}
            << u"2 Dateien haben ihren alten Namen zurück.\r1 Datei konnte nicht "
               u"zurückbenannt werden."_s;
    }

    void undoesTheLastRun()
    {
        QFETCH(QList<QByteArray>, files);
        QFETCH(int, stopAfter);
        QFETCH(QString, since);
        QFETCH(QList<QByteArray>, afterUndo);
        QFETCH(QString, summary);
        Bench bench(false, files);
        bench.progress.stopAfter = stopAfter;
        bench.run({runBothCommand});
        QVERIFY(bench.prompter.shown.last().details.contains(u"Strg+Z"_s));
        if (since == u"new file under an old name")
            writeRawFile(bench.raw(), "02 - b.mp3", "new");
        else if (since == u"another file under a new name")
            QVERIFY(QFile::remove(bench.dir.filePath(u"b.mp3"_s))
                    && QFile(bench.dir.filePath(u"b.mp3"_s)).open(QIODevice::WriteOnly));

        bench.prompter.shown.clear();
        bench.run({runUndoCommand});
        QCOMPARE(bench.prompter.titles(),
                 (QStringList {u"Rückgängig machen"_s, u"Rückgängig gemacht"_s}));
        QVERIFY(bench.prompter.shown.first().text.startsWith(
            u"Letzte Umbenennung rückgängig machen?\r\rOrdner: "_s + bench.dir.path()));
        QCOMPARE(bench.prompter.shown.last().text, summary);
        QCOMPARE(bench.names(), afterUndo);
        // Every file that got its old name back is the file that had it.
        for (const QByteArray &name : files) {
            if (afterUndo.contains(name) && name != "02 - b.mp3")
                QCOMPARE(readRawFile(bench.raw(), name), name);
        }
        // Undone runs are gone from the record.
        bench.prompter.shown.clear();
        bench.run({runUndoCommand});
        QCOMPARE(bench.prompter.boxes(), QList<Message> {messages::nothingToUndo()});
    }

    // A record that cannot be trusted undoes nothing and is put aside; the
    // run before it can still be undone. A record that only stops short, as
    // after a crash, is no damage.
    void damagedRecordsUndoNothing_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<bool>("trusted");
        QTest::newRow("cut within the plan") << u"cut in plan"_s << false;
        QTest::newRow("garbage in a line") << u"garbage"_s << false;
        QTest::newRow("unknown version") << u"version"_s << false;
        QTest::newRow("empty") << u"empty"_s << false;
        QTest::newRow("cut after the plan, as by a crash") << u"cut after plan"_s << true;
    }

    void damagedRecordsUndoNothing()
    {
        QFETCH(QString, damage);
        QFETCH(bool, trusted);
        Bench bench(false, {"a_1.mp3"});
        bench.run({runUnderscoresCommand});
        writeRawFile(bench.raw(), "01 - b.mp3", "01 - b.mp3");
        bench.list.refresh();
        bench.run({runNumbersCommand});
        QCOMPARE(bench.names(), (QList<QByteArray> {"a 1.mp3", "b.mp3"}));

        rewrite(newestRecord(bench), [&](QByteArray &record) {
            const qsizetype plan = record.indexOf("\nP ");
            if (damage == u"cut in plan")
                record.truncate(plan + 10);
            else if (damage == u"garbage")
                record[plan - 3] = record[plan - 3] == 'a' ? 'b' : 'a';
            else if (damage == u"version")
                record.replace(0, record.indexOf('\n') + 1, journalformat::line("NAMLEX-UNDO 2"));
            else if (damage == u"empty")
                record.clear();
            else
                record.truncate(record.indexOf("\nD ") + 3);
        });
        bench.prompter.shown.clear();
        bench.run({runUndoCommand});
        QCOMPARE(bench.prompter.shown.first().icon,
                 trusted ? MessageIcon::Question : MessageIcon::Error);
        const QList<QByteArray> renamedBack {"01 - b.mp3", "a 1.mp3"};
        QCOMPARE(bench.names(), (trusted ? renamedBack : QList<QByteArray> {"a 1.mp3", "b.mp3"}));

        // The run before is still there to undo.
        bench.run({runUndoCommand});
        QCOMPARE(bench.names(), (trusted ? QList<QByteArray> {"01 - b.mp3", "a_1.mp3"}
                                         : QList<QByteArray> {"a_1.mp3", "b.mp3"}));
    }

    // A crash on FAT can leave the empty placeholder that took the new name
    // before the file was renamed over it; undo removes it and nothing else.
    void undoRemovesAPlaceholderLeftByACrash()
    {
        Bench bench(false, {"01 - b.mp3", "c.mp3"});
        bench.run({runNumbersCommand});
        rewrite(newestRecord(bench),
                [](QByteArray &record) { record.truncate(record.indexOf("\nD ") + 1); });
        QVERIFY(QFile::rename(bench.dir.filePath(u"b.mp3"_s), bench.dir.filePath(u"01 - b.mp3"_s)));
        writeRawFile(bench.raw(), "b.mp3", QByteArray());
        bench.run({runUndoCommand});
        QCOMPARE(bench.names(), (QList<QByteArray> {"01 - b.mp3", "c.mp3"}));
        QCOMPARE(readRawFile(bench.raw(), "01 - b.mp3"), QByteArray("01 - b.mp3"));
    }

    // A child process renames 5,000 files and is killed halfway, as by a
    // crash; undo then restores every name, byte for byte, and touches
    // nothing else.
    void undoAfterACrash()
    {
        Bench bench(true, {});
        QList<QByteArray> names;
        for (int i = 0; i < 5000; ++i) {
            const QByteArray number = QByteArray::number(i).rightJustified(4, '0');
            // Every seventh name is not UTF-8.
            names.append(number + (i % 7 == 0 ? " - Lied_\xe4.mp3" : " - Lied_eins.mp3"));
            writeRawFile(bench.raw(), names.last(), names.last());
        }
        std::sort(names.begin(), names.end());
        QProcess child;
        child.start(QStringLiteral(NAMLEX_CRASH_CHILD), {bench.dir.path(), bench.journalDir.path()});
        QVERIFY(child.waitForStarted());
        while (!child.readAllStandardOutput().contains("half"))
            QVERIFY(child.waitForReadyRead(60000));
        child.kill();
        QVERIFY(child.waitForFinished());
        QVERIFY(bench.names() != names);

        bench.list.refresh();
        bench.run({runUndoCommand});
        QVERIFY(bench.prompter.shown.first().text.contains(u"(der Lauf wurde unterbrochen)"_s));
        QCOMPARE(bench.names(), names);
        for (const QByteArray &name : names)
            QCOMPARE(readRawFile(bench.raw(), name), name);
    }
};

QTEST_MAIN(TestUndoCommand)
#include "tst_undocommand.moc"

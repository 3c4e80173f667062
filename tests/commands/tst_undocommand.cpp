#include "commandbench.h"
#include "rawfiles.h"

#include "texts/messages.h"
#include "commands/renamecommands.h"
#include "commands/undocommand.h"
#include "journal/journalformat.h"

#include <QDir>
#include <QProcess>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace namlex;
using namespace namlex::test;

namespace {

// The newest record of the journal, to be changed on purpose.
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

// The record's line "R ..." with another folder, checksum and all.
void recordFolder(Bench &bench, const QByteArray &folder)
{
    rewrite(newestRecord(bench), [&](QByteArray &record) {
        const qsizetype start = record.indexOf("\nR ") + 1;
        const qsizetype end = record.indexOf('\n', start) + 1;
        const QByteArray started = record.mid(start, end - start).split(' ').at(1);
        record.replace(start, end - start,
                       journalformat::line("R " + started + ' ' + folder.toHex()));
    });
}

} // namespace

class TestUndoCommand : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Undo renames back, newest first, only the files the run renamed, and
    // only while they are provably the same files; it never deletes one.
    void undoesTheLastRun_data()
    {
        QTest::addColumn<QList<QByteArray>>("files");
        QTest::addColumn<QList<Answer>>("answers"); // to the run's boxes
        QTest::addColumn<int>("stopAfter"); // "Abbrechen" after this many files; 0: never
        QTest::addColumn<Change>("since"); // what happens after the run
        QTest::addColumn<QString>("question"); // the undo question's counts
        QTest::addColumn<QList<QByteArray>>("afterUndo");
        QTest::addColumn<QString>("summary");
        const QList<QByteArray> three {"01 - a_x.mp3", "02 - b.mp3", "03 - \xe4_c.mp3"};
        const QString allBack = u"3 Dateien haben ihren alten Namen zurück."_s;
        const QString threeBack = u"3 Dateien bekommen ihren alten Namen zurück."_s;
        const Change nothing = [](Bench &) {};
        QTest::newRow("a finished run")
            << three << QList<Answer>() << 0 << nothing << threeBack << three << allBack;
        QTest::newRow("a run stopped after one file")
            << three << QList<Answer>() << 1 << nothing
            << u"1 Datei bekommt ihren alten Namen zurück."_s << three
            << u"1 Datei hat ihren alten Namen zurück."_s;
        QTest::newRow("a clash leaves the file that had the name")
            << QList<QByteArray> {"01 - a.mp3", "02 - b.mp3", "a.mp3"} << QList<Answer>() << 0
            << nothing << u"1 Datei bekommt ihren alten Namen zurück."_s
            << QList<QByteArray> {"01 - a.mp3", "02 - b.mp3", "a.mp3"}
            << u"1 Datei hat ihren alten Namen zurück."_s;
        QTest::newRow("a file appeared under an old name since")
            << three << QList<Answer>() << 0
            << Change([](Bench &bench) { writeRawFile(bench.raw(), "02 - b.mp3", "new"); })
            << u"2 Dateien bekommen ihren alten Namen zurück. 1 Datei bleibt, wie sie ist "
               u"(siehe Details)."_s
            << QList<QByteArray> {"01 - a_x.mp3", "02 - b.mp3", "03 - \xe4_c.mp3", "b.mp3"}
            << u"2 Dateien haben ihren alten Namen zurück.\r1 Datei konnte nicht "
               u"zurückbenannt werden.\rFür 1 Datei versucht es Strg+Z noch einmal, wenn die "
               u"Ursache behoben ist."_s;
        QTest::newRow("another file stands under a new name since")
            << three << QList<Answer>() << 0 << Change([](Bench &bench) {
                   QVERIFY(QFile::remove(bench.dir.filePath(u"b.mp3"_s)));
                   writeRawFile(bench.raw(), "b.mp3", "");
               })
            << u"2 Dateien bekommen ihren alten Namen zurück. 1 Datei bleibt, wie sie ist "
               u"(siehe Details)."_s
            << QList<QByteArray> {"01 - a_x.mp3", "03 - \xe4_c.mp3", "b.mp3"}
            << u"2 Dateien haben ihren alten Namen zurück.\r1 Datei konnte nicht "
               u"zurückbenannt werden."_s;
        QTest::newRow("tags edited since: still the same file")
            << three << QList<Answer>() << 0
            << Change([](Bench &bench) { writeRawFile(bench.raw(), "b.mp3", "new tags"); })
            << threeBack << three << allBack;
        QTest::newRow("backwards: a new name is an earlier file's old name")
            << QList<QByteArray> {"01 - b.mp3", "02 - 01 - b.mp3"} << QList<Answer>() << 0
            << nothing << u"2 Dateien bekommen ihren alten Namen zurück."_s
            << QList<QByteArray> {"01 - b.mp3", "02 - 01 - b.mp3"}
            << u"2 Dateien haben ihren alten Namen zurück."_s;
        QTest::newRow("an empty file another program made under a planned name")
            << QList<QByteArray> {"01 - a.mp3", "02 - c.mp3", "03 - d.mp3", "c.mp3"}
            << QList<Answer> {Answer::Yes, Answer::No} << 0
            << Change([](Bench &bench) { writeRawFile(bench.raw(), "d.mp3", ""); })
            << u"1 Datei bekommt ihren alten Namen zurück."_s
            << QList<QByteArray> {"01 - a.mp3", "02 - c.mp3", "03 - d.mp3", "c.mp3", "d.mp3"}
            << u"1 Datei hat ihren alten Namen zurück."_s;
        QTest::newRow("an undo cut short renamed one back already")
            << three << QList<Answer>() << 0 << Change([](Bench &bench) {
                   QVERIFY(QFile::rename(bench.dir.filePath(u"b.mp3"_s),
                                         bench.dir.filePath(u"02 - b.mp3"_s)));
               })
            << u"2 Dateien bekommen ihren alten Namen zurück."_s << three << allBack;
    }

    void undoesTheLastRun()
    {
        QFETCH(QList<QByteArray>, files);
        QFETCH(QList<Answer>, answers);
        QFETCH(int, stopAfter);
        QFETCH(Change, since);
        QFETCH(QString, question);
        QFETCH(QList<QByteArray>, afterUndo);
        QFETCH(QString, summary);
        Bench bench(false, files);
        bench.progress.stopAfter = stopAfter;
        bench.prompter.answers = answers;
        // The plan is in the record before the first rename.
        bench.files.beforeRename = [&bench] {
            QFile record(newestRecord(bench));
            QVERIFY(record.open(QIODevice::ReadOnly));
            QVERIFY(!journalformat::parse(record.readAll()).damaged);
            bench.files.beforeRename = nullptr;
        };
        bench.run({runBothCommand});
        since(bench);

        bench.prompter.shown.clear();
        bench.run({runUndoCommand});
        QCOMPARE(bench.prompter.titles(),
                 (QStringList {u"Rückgängig machen"_s, u"Rückgängig gemacht"_s}));
        QVERIFY(bench.prompter.shown.first().text.startsWith(
            u"Letzte Umbenennung rückgängig machen?\r\rOrdner: "_s + bench.dir.path()));
        QCOMPARE(bench.prompter.shown.first().informative, question);
        QCOMPARE(bench.prompter.shown.last().text, summary);
        QCOMPARE(bench.names(), afterUndo);
        // Every file that got its old name back is the file that had it.
        for (const QByteArray &name : files) {
            if (afterUndo.contains(name) && name != "02 - b.mp3")
                QCOMPARE(readRawFile(bench.raw(), name), name);
        }
    }

    // A run leaves the record only when every file of it is settled; until
    // then Ctrl+Z offers it again with the files that are left.
    void aRunStaysUntilItIsUndone_data()
    {
        QTest::addColumn<Change>("block"); // before the first undo
        QTest::addColumn<Change>("unblock"); // before the second
        QTest::addColumn<QString>("firstSummary");
        QTest::addColumn<QString>("secondQuestion");
        QTest::newRow("the folder was away, as a stick that was pulled") << Change([](Bench &bench) {
            QVERIFY(QDir().rename(bench.folder.path, bench.folder.path + u"-weg"_s));
        }) << Change([](Bench &bench) {
            QVERIFY(QDir().rename(bench.folder.path + u"-weg"_s, bench.folder.path));
        }) << QString() << u"2 Dateien bekommen ihren alten Namen zurück."_s;
        QTest::newRow("another file held an old name")
            << Change([](Bench &bench) { writeRawFile(bench.raw(), "01 - a.mp3", "other"); })
            << Change([](Bench &bench) {
                   QVERIFY(QFile::remove(bench.dir.filePath(u"01 - a.mp3"_s)));
               })
            << u"1 Datei hat ihren alten Namen zurück.\r1 Datei konnte nicht zurückbenannt "
               u"werden.\rFür 1 Datei versucht es Strg+Z noch einmal, wenn die Ursache behoben "
               u"ist."_s
            << u"1 Datei bekommt ihren alten Namen zurück."_s;
    }

    void aRunStaysUntilItIsUndone()
    {
        QFETCH(Change, block);
        QFETCH(Change, unblock);
        QFETCH(QString, firstSummary);
        QFETCH(QString, secondQuestion);
        Bench bench(false, {"01 - a.mp3", "02 - b.mp3"});
        bench.run({runNumbersCommand});
        block(bench);
        bench.prompter.shown.clear();
        bench.run({runUndoCommand});
        if (firstSummary.isEmpty())
            QCOMPARE(bench.prompter.shown.first().icon, MessageIcon::Error);
        else
            QCOMPARE(bench.prompter.shown.last().text, firstSummary);

        unblock(bench);
        bench.prompter.shown.clear();
        bench.run({runUndoCommand});
        QCOMPARE(bench.prompter.shown.first().informative, secondQuestion);
        QCOMPARE(bench.names(), (QList<QByteArray> {"01 - a.mp3", "02 - b.mp3"}));
        bench.prompter.shown.clear();
        bench.run({runUndoCommand});
        QCOMPARE(bench.prompter.boxes(), QList<Message> {messages::nothingToUndo()});
    }

    // While a run waits at a box, another window's Ctrl+Z offers nothing:
    // the run holds its record.
    void aRunInProgressCannotBeUndone()
    {
        Bench bench(false, {"01 - a.mp3", "02 - b.mp3", "b.mp3"});
        ScriptedPrompter other;
        FileJournal otherJournal(bench.journalDir.path());
        bench.prompter.onAsk = [&](const Message &message) {
            if (message.title != u"Fehler geortet!")
                return;
            runUndoCommand({bench.list, bench.folder, bench.choices, bench.files, otherJournal,
                            other, bench.progress});
        };
        bench.run({runNumbersCommand});
        QCOMPARE(other.titles(), QStringList {u"Rückgängig machen"_s});
        QVERIFY(other.shown.first().text.contains(u"läuft noch"_s));
        QCOMPARE(bench.names(), (QList<QByteArray> {"02 - b.mp3", "a.mp3", "b.mp3"}));
    }

    // A record that cannot be trusted undoes nothing and is put aside; the
    // run before it can still be undone. A record that only stops short, as
    // after a crash, is no damage.
    void damagedRecordsUndoNothing_data()
    {
        QTest::addColumn<Change>("damage");
        QTest::addColumn<bool>("trusted");
        const auto record = [](const std::function<void(QByteArray &)> &change) {
            return Change([change](Bench &bench) { rewrite(newestRecord(bench), change); });
        };
        QTest::newRow("cut within the plan")
            << record([](QByteArray &r) { r.truncate(r.indexOf("\nP ") + 10); }) << false;
        QTest::newRow("garbage in a line") << record([](QByteArray &r) {
            const qsizetype plan = r.indexOf("\nP ");
            r[plan - 3] = r[plan - 3] == 'a' ? 'b' : 'a';
        }) << false;
        QTest::newRow("unknown version") << record([](QByteArray &r) {
            r.replace(0, r.indexOf('\n') + 1, journalformat::line("NAMLEX-UNDO 3"));
        }) << false;
        QTest::newRow("empty") << record([](QByteArray &r) { r.clear(); }) << false;
        QTest::newRow("a folder that is not a whole path")
            << Change([](Bench &bench) { recordFolder(bench, "Musik"); }) << false;
        QTest::newRow("a name that leaves the folder") << record([](QByteArray &r) {
            const qsizetype start = r.indexOf("\nP ") + 1;
            const qsizetype end = r.indexOf('\n', start) + 1;
            QList<QByteArray> fields = r.mid(start, end - start - 10).split(' ');
            fields[2] = QByteArray("../b.mp3").toHex();
            r.replace(start, end - start, journalformat::line(fields.join(' ')));
        }) << false;
        QTest::newRow("cut after the plan, as by a crash")
            << record([](QByteArray &r) { r.truncate(r.indexOf("\nD ") + 3); }) << true;
    }

    void damagedRecordsUndoNothing()
    {
        QFETCH(Change, damage);
        QFETCH(bool, trusted);
        Bench bench(false, {"a_1.mp3"});
        bench.run({runUnderscoresCommand});
        writeRawFile(bench.raw(), "01 - b.mp3", "01 - b.mp3");
        bench.list.refresh();
        bench.run({runNumbersCommand});
        QCOMPARE(bench.names(), (QList<QByteArray> {"a 1.mp3", "b.mp3"}));

        damage(bench);
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
    // before the file was renamed over it. Undo cannot prove whose it is: it
    // stays, and the summary names it.
    void aPlaceholderLeftByACrashStays()
    {
        Bench bench(false, {"01 - b.mp3", "c.mp3"});
        bench.run({runNumbersCommand});
        rewrite(newestRecord(bench),
                [](QByteArray &record) { record.truncate(record.indexOf("\nD ") + 1); });
        QVERIFY(QFile::rename(bench.dir.filePath(u"b.mp3"_s), bench.dir.filePath(u"01 - b.mp3"_s)));
        writeRawFile(bench.raw(), "b.mp3", QByteArray());
        bench.run({runUndoCommand});
        QCOMPARE(bench.names(), (QList<QByteArray> {"01 - b.mp3", "b.mp3", "c.mp3"}));
        QCOMPARE(readRawFile(bench.raw(), "01 - b.mp3"), QByteArray("01 - b.mp3"));
        QVERIFY(bench.prompter.shown.last().details.startsWith(u"„b.mp3“ bleibt, wie es ist"_s));
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
        QVERIFY(
            bench.prompter.shown.first().informative.endsWith(u"Der Lauf wurde unterbrochen."_s));
        QCOMPARE(bench.names(), names);
        for (const QByteArray &name : names)
            QCOMPARE(readRawFile(bench.raw(), name), name);
    }
};

QTEST_MAIN(TestUndoCommand)
#include "tst_undocommand.moc"

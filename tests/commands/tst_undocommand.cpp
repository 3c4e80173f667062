#include "commandbench.h"
#include "filesizelimit.h"
#include "rawfiles.h"

#include "commands/renamecommands.h"
#include "commands/undocommand.h"
#include "journal/journalformat.h"
#include "texts/messages.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

#include <cstdio>

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
                       journalformat::line("R " + started + ' ' + folder.toHex() + " both"));
    });
}

using Remount = std::function<void(const QString &name, platform::FileIdentity &)>;

// How the test presents the folder's volume: as the system says, or as a
// volume that keeps inode numbers across mounts, or one that does not, or
// one that the system cannot name, as a disk image mounted with fusefat,
// also with renames that set the files' time of change, as fusefat's do.
enum class Volume { AsItIs, KeepsNumbers, NumbersAfresh, Unnamed, UnnamedRenamesSetTime };

// Mounted anew: another device number, and where the volume does not keep
// them, other inode numbers.
Remount mountedAgain(bool newNumbers)
{
    return [newNumbers](const QString &, platform::FileIdentity &identity) {
        identity.device += 1;
        identity.inode += newNumbers ? 1000 : 0;
    };
}

// A tag editor's save: a new file under the name, through a temporary one.
const Change savedAnew = [](Bench &bench) {
    writeRawFile(bench.raw(), "b.mp3.tmp", "new tags");
    QCOMPARE(std::rename(bench.raw() + "/b.mp3.tmp", bench.raw() + "/b.mp3"), 0);
};

} // namespace

Q_DECLARE_METATYPE(Remount)
Q_DECLARE_METATYPE(Volume)

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
        const QString allBack = u"3 Dateien haben ihren alten Namen wieder."_s;
        const QString threeBack = u"3 Dateien bekommen ihren alten Namen zurück."_s;
        const Change nothing = [](Bench &) {};
        QTest::newRow("a finished run")
            << three << QList<Answer>() << 0 << nothing << threeBack << three << allBack;
        QTest::newRow("a run stopped after one file")
            << three << QList<Answer>() << 1 << nothing
            << u"1 Datei bekommt ihren alten Namen zurück."_s << three
            << u"1 Datei hat ihren alten Namen wieder."_s;
        QTest::newRow("a clash leaves the file that had the name")
            << QList<QByteArray> {"01 - a.mp3", "02 - b.mp3", "a.mp3"} << QList<Answer>() << 0
            << nothing << u"1 Datei bekommt ihren alten Namen zurück."_s
            << QList<QByteArray> {"01 - a.mp3", "02 - b.mp3", "a.mp3"}
            << u"1 Datei hat ihren alten Namen wieder."_s;
        QTest::newRow("a file appeared under an old name since")
            << three << QList<Answer>() << 0
            << Change([](Bench &bench) { writeRawFile(bench.raw(), "02 - b.mp3", "new"); })
            << u"2 Dateien bekommen ihren alten Namen zurück. 1 Datei behält ihren jetzigen "
               u"Namen (siehe Details)."_s
            << QList<QByteArray> {"01 - a_x.mp3", "02 - b.mp3", "03 - \xe4_c.mp3", "b.mp3"}
            << u"2 Dateien haben ihren alten Namen wieder.\r1 Datei konnte nicht "
               u"umbenannt werden.\rFür 1 Datei lässt es sich mit Strg+Z noch einmal versuchen, "
               u"sobald die Ursache behoben ist."_s;
        QTest::newRow("another file stands under a new name since")
            << three << QList<Answer>() << 0 << Change([](Bench &bench) {
                   QVERIFY(QFile::remove(bench.dir.filePath(u"b.mp3"_s)));
                   writeRawFile(bench.raw(), "b.mp3", "");
               })
            << u"2 Dateien bekommen ihren alten Namen zurück. 1 Datei wurde inzwischen "
               u"verändert (siehe Details)."_s
            << QList<QByteArray> {"01 - a_x.mp3", "03 - \xe4_c.mp3", "b.mp3"}
            << u"2 Dateien haben ihren alten Namen wieder.\r1 inzwischen veränderte Datei behält "
               u"ihren jetzigen Namen."_s;
        QTest::newRow("tags edited since: still the same file")
            << three << QList<Answer>() << 0
            << Change([](Bench &bench) { writeRawFile(bench.raw(), "b.mp3", "new tags"); })
            << threeBack << three << allBack;
        QTest::newRow("backwards: a new name is an earlier file's old name")
            << QList<QByteArray> {"01 - b.mp3", "02 - 01 - b.mp3"} << QList<Answer>() << 0
            << nothing << u"2 Dateien bekommen ihren alten Namen zurück."_s
            << QList<QByteArray> {"01 - b.mp3", "02 - 01 - b.mp3"}
            << u"2 Dateien haben ihren alten Namen wieder."_s;
        QTest::newRow("an empty file another program made under a planned name")
            << QList<QByteArray> {"01 - a.mp3", "02 - c.mp3", "03 - d.mp3", "c.mp3"}
            << QList<Answer> {Answer::Yes, Answer::No} << 0
            << Change([](Bench &bench) { writeRawFile(bench.raw(), "d.mp3", ""); })
            << u"1 Datei bekommt ihren alten Namen zurück."_s
            << QList<QByteArray> {"01 - a.mp3", "02 - c.mp3", "03 - d.mp3", "c.mp3", "d.mp3"}
            << u"1 Datei hat ihren alten Namen wieder."_s;
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
            u"Letzte Umbenennung rückgängig machen?\r\rBefehl: Beides tun\rOrdner: „"_s
            + bench.dir.path() + u"“"_s));
        QCOMPARE(bench.prompter.shown.first().informative, question);
        QCOMPARE(bench.prompter.shown.last().text, summary);
        QCOMPARE(bench.names(), afterUndo);
        // Every file that got its old name back is the file that had it.
        for (const QByteArray &name : files) {
            if (afterUndo.contains(name) && name != "02 - b.mp3")
                QCOMPARE(readRawFile(bench.raw(), name), name);
        }
    }

    // With no file to rename back there is no question: one box says why,
    // and the run is settled, so that the next Ctrl+Z goes further back.
    void nothingToRenameBackAsksNothing_data()
    {
        QTest::addColumn<bool>("putBackByHand"); // else: cut short before its first rename
        QTest::addColumn<QString>("why");
        QTest::newRow("files put back by hand")
            << true << u"Die Dateien der letzten Umbenennung („Beides tun“ vom "_s;
        QTest::newRow("run cut short before its first rename")
            << false
            << u"Die letzte Umbenennung („Beides tun“) endete, bevor sie eine Datei umbenannt "
               u"hat."_s;
    }
    void nothingToRenameBackAsksNothing()
    {
        QFETCH(bool, putBackByHand);
        QFETCH(QString, why);
        Bench bench(false, {"01 - a.mp3", "02 - b.mp3"});
        bench.run({runBothCommand});
        if (putBackByHand) {
            QVERIFY(
                QFile::rename(bench.dir.filePath(u"a.mp3"_s), bench.dir.filePath(u"01 - a.mp3"_s)));
            QVERIFY(
                QFile::rename(bench.dir.filePath(u"b.mp3"_s), bench.dir.filePath(u"02 - b.mp3"_s)));
        } else {
            rewrite(newestRecord(bench),
                    [](QByteArray &record) { record.truncate(record.indexOf("\nD ") + 1); });
            QVERIFY(
                QFile::rename(bench.dir.filePath(u"a.mp3"_s), bench.dir.filePath(u"01 - a.mp3"_s)));
            QVERIFY(
                QFile::rename(bench.dir.filePath(u"b.mp3"_s), bench.dir.filePath(u"02 - b.mp3"_s)));
        }
        bench.prompter.shown.clear();
        bench.run({runUndoCommand});
        bench.run({runUndoCommand});
        QCOMPARE(bench.prompter.boxes().size(), 2);
        const Message nothing = bench.prompter.shown.first();
        QCOMPARE(nothing.buttons, Buttons::Ok);
        QCOMPARE(nothing.title, u"Rückgängig machen"_s);
        QVERIFY2(nothing.text.startsWith(u"Es gibt nichts rückgängig zu machen.\r"_s + why),
                 qPrintable(nothing.text));
        QCOMPARE(bench.prompter.shown.last().text,
                 u"Es gibt keine Umbenennung, die sich rückgängig machen ließe."_s);
        QCOMPARE(bench.names(), (QList<QByteArray> {"01 - a.mp3", "02 - b.mp3"}));
    }

    // Stopped, an undo keeps what it restored; the rest stays for the next
    // Ctrl+Z.
    void aStoppedUndoLeavesTheRestForLater()
    {
        Bench bench(false, {"01 - a.mp3", "02 - b.mp3", "03 - c.mp3"});
        bench.run({runBothCommand});
        bench.prompter.shown.clear();
        bench.progress.log.clear();
        bench.progress.stopAfter = 1;
        bench.run({runUndoCommand});
        QCOMPARE(bench.progress.log, (QStringList {u"begin 3"_s, u"advance 1"_s, u"end"_s}));
        QCOMPARE(bench.names(), (QList<QByteArray> {"03 - c.mp3", "a.mp3", "b.mp3"}));
        QCOMPARE(bench.prompter.shown.last().text,
                 u"1 Datei hat ihren alten Namen wieder.\rAbgebrochen: 2 Dateien haben noch "
                 u"ihren neuen Namen. Mit Strg+Z lässt sich auch das rückgängig machen."_s);
        bench.progress.stopAfter = 0;
        bench.run({runUndoCommand});
        QCOMPARE(bench.names(), (QList<QByteArray> {"01 - a.mp3", "02 - b.mp3", "03 - c.mp3"}));
    }

    // A file is renamed back when it is provably the run's: on a volume that
    // keeps inode numbers by them, on FAT and exFAT by its new name, size and
    // time, wherever the volume is mounted now. A file saved anew since is
    // renamed back only when the user ticks the box for it.
    void undoesWhatItCanProve_data()
    {
        QTest::addColumn<Volume>("volume");
        QTest::addColumn<Remount>("remount"); // after the run
        QTest::addColumn<Change>("since");
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QList<QByteArray>>("afterUndo");
        const QList<QByteArray> before {"01 - a.mp3", "02 - b.mp3", "03 - c.mp3"};
        const QList<QByteArray> changedLeft {"01 - a.mp3", "03 - c.mp3", "b.mp3"};
        const QString allBack = u"3 Dateien bekommen ihren alten Namen zurück."_s;
        const QString oneChanged = u"2 Dateien bekommen ihren alten Namen zurück. 1 Datei wurde "
                                   u"inzwischen verändert (siehe Details)."_s;
        const Change nothing = [](Bench &) {};
        QTest::newRow("a FAT stick plugged in again, mounted elsewhere")
            << Volume::NumbersAfresh << mountedAgain(true) << nothing << false << allBack << before;
        QTest::newRow("a disk image mounted again where it was, through FUSE")
            << Volume::Unnamed << mountedAgain(true) << nothing << false << allBack << before;
        QTest::newRow("a disk image whose renames set the time, mounted again")
            << Volume::UnnamedRenamesSetTime << mountedAgain(true) << nothing << false << allBack
            << before;
        QTest::newRow("an ext4 drive on another port")
            << Volume::KeepsNumbers << mountedAgain(false) << nothing << false << allBack << before;
        QTest::newRow("other files under the names on a volume that keeps numbers")
            << Volume::KeepsNumbers << mountedAgain(true) << nothing << false
            << u"0 Dateien bekommen ihren alten Namen zurück. 3 Dateien wurden inzwischen "
               u"verändert (siehe Details)."_s
            << QList<QByteArray> {"a.mp3", "b.mp3", "c.mp3"};
        QTest::newRow("FAT: tags edited since, left as the user chose")
            << Volume::NumbersAfresh << mountedAgain(true)
            << Change([](Bench &bench) { writeRawFile(bench.raw(), "b.mp3", "new tags"); }) << false
            << oneChanged << changedLeft;
        QTest::newRow("saved anew since, left as the user chose")
            << Volume::AsItIs << Remount() << savedAnew << false << oneChanged << changedLeft;
        QTest::newRow("saved anew since, renamed back as the user chose")
            << Volume::AsItIs << Remount() << savedAnew << true << oneChanged << before;
    }

    void undoesWhatItCanProve()
    {
        QFETCH(Volume, volume);
        QFETCH(Remount, remount);
        QFETCH(Change, since);
        QFETCH(bool, ticked);
        QFETCH(QString, question);
        QFETCH(QList<QByteArray>, afterUndo);
        Bench bench(false, {"01 - a.mp3", "02 - b.mp3", "03 - c.mp3"});
        const QString elsewhere = bench.dir.path() + u"-STICK1"_s;
        const bool moves = volume == Volume::KeepsNumbers || volume == Volume::NumbersAfresh;
        if (volume == Volume::Unnamed || volume == Volume::UnnamedRenamesSetTime)
            bench.files.place = {u"device:0:40:boot"_s, u"/Musik"_s, false};
        bench.files.renameSetsTime = volume == Volume::UnnamedRenamesSetTime;
        if (moves) {
            bench.files.place = {u"uuid:1234-ABCD"_s, u"/Musik"_s, volume == Volume::KeepsNumbers};
            bench.files.mountedAt = {elsewhere};
        }
        bench.run({runNumbersCommand});
        since(bench);
        // Mounted anew, under another mount point.
        if (moves)
            QVERIFY(QDir().rename(bench.dir.path(), elsewhere));
        bench.files.remount = remount;
        bench.prompter.shown.clear();
        bench.prompter.ticks = {ticked};
        bench.run({runUndoCommand});
        bench.files.remount = nullptr;
        if (moves)
            QVERIFY(QDir().rename(elsewhere, bench.dir.path()));
        QCOMPARE(bench.prompter.shown.first().informative, question);
        QCOMPARE(bool(bench.prompter.shown.first().checkBox), question.contains(u"verändert"_s));
        QCOMPARE(bench.names(), afterUndo);
        // Every file is settled, restored or left as the user chose.
        bench.prompter.shown.clear();
        bench.run({runUndoCommand});
        QCOMPARE(bench.prompter.boxes(), QList<Message> {messages::nothingToUndo()});
    }

    // Records written by earlier builds stay undoable: the first version,
    // which kept no time of birth, compares what it kept.
    void undoesRecordsOfEarlierVersions_data()
    {
        QTest::addColumn<QString>("record");
        QTest::addColumn<QList<QByteArray>>("renamed"); // as the record names them
        QTest::addColumn<QList<qint64>>("inodes");
        QTest::addColumn<qint64>("born"); // 0: keep the file's own
        QTest::addColumn<QList<QByteArray>>("contents");
        QTest::addColumn<QList<QByteArray>>("afterUndo");
        QTest::newRow("version 1")
            << u"1764000000000-4242.run"_s << QList<QByteArray> {"Alt.mp3", "Neu.mp3"}
            << QList<qint64> {131076, 131077} << qint64(0)
            << QList<QByteArray> {"eleven byte", "eleven byte"}
            << QList<QByteArray> {"01 - Alt.mp3", "02 - Neu.mp3"};
        QTest::newRow("version 1: a reused inode, with another size")
            << u"1764000000000-4242.run"_s << QList<QByteArray> {"Alt.mp3", "Neu.mp3"}
            << QList<qint64> {131076, 131077} << qint64(0)
            << QList<QByteArray> {"eleven byte", "another size"}
            << QList<QByteArray> {"01 - Alt.mp3", "Neu.mp3"};
        QTest::newRow("version 2")
            << u"0000000000000007.run"_s << QList<QByteArray> {"Erster Titel.mp3", "Zweiter.mp3"}
            << QList<qint64> {131074, 131075} << qint64(1765000000123456789)
            << QList<QByteArray> {"x", "y"}
            << QList<QByteArray> {"01 - Erster_Titel.mp3", "Zweiter.mp3"};
    }

    void undoesRecordsOfEarlierVersions()
    {
        QFETCH(QString, record);
        QFETCH(QList<QByteArray>, renamed);
        QFETCH(QList<qint64>, inodes);
        QFETCH(qint64, born);
        QFETCH(QList<QByteArray>, contents);
        QFETCH(QList<QByteArray>, afterUndo);
        Bench bench(false, {});
        QVERIFY(QFile::copy(QStringLiteral(NAMLEX_TEST_RECORDS "/") + record,
                            bench.journalDir.filePath(record)));
        const QList<qint64> times {1764000000111, 1764000000222};
        for (qsizetype i = 0; i < renamed.size(); ++i) {
            writeRawFile(bench.raw(), renamed[i], contents[i]);
            QFile file(bench.dir.filePath(QString::fromUtf8(renamed[i])));
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(QDateTime::fromMSecsSinceEpoch(times[i]),
                                     QFileDevice::FileModificationTime));
        }
        bench.files.moved.insert(u"/media/stick/Musik"_s, bench.dir.path());
        // The files as the record's device saw them; the second file of the
        // second version was born later than it recorded.
        bench.files.remount = [&](const QString &name, platform::FileIdentity &identity) {
            const qsizetype at = renamed.indexOf(name.toUtf8());
            if (at < 0)
                return;
            identity.device = 2049;
            identity.inode = inodes[at];
            if (born != 0)
                identity.bornNs = born + at * 1000;
        };
        bench.run({runUndoCommand});
        QCOMPARE(bench.names(), afterUndo);
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
            << u"1 Datei hat ihren alten Namen wieder.\r1 Datei konnte nicht umbenannt "
               u"werden.\rFür 1 Datei lässt es sich mit Strg+Z noch einmal versuchen, sobald die "
               u"Ursache behoben ist."_s
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

    // A question left open is no run: another window's Ctrl+Z offers the
    // newest run answered with Yes, and says so when the open question is
    // about the same folder. Answered No, the question leaves no record.
    void aQuestionLeftOpenBlocksNoUndo_data()
    {
        QTest::addColumn<bool>("sameFolder");
        QTest::newRow("a question about the same folder") << true;
        QTest::newRow("a question about another folder") << false;
    }

    void aQuestionLeftOpenBlocksNoUndo()
    {
        QFETCH(bool, sameFolder);
        Bench bench(false, {"01 - a.mp3"});
        bench.run({runNumbersCommand});
        Bench waiting(false, {"02 - b.mp3"});
        Bench &asking = sameFolder ? bench : waiting;
        writeRawFile(asking.raw(), "03 - c.mp3", "c");
        asking.list.refresh();
        ScriptedPrompter other;
        other.answers = {Answer::No};
        FileJournal otherJournal(bench.journalDir.path());
        asking.prompter.answers = {Answer::No};
        asking.prompter.onAsk = [&](const Message &) {
            runUndoCommand({bench.list, bench.folder, bench.choices, bench.files, otherJournal,
                            other, bench.progress});
        };
        runNumbersCommand({asking.list, asking.folder, asking.choices, asking.files, bench.journal,
                           asking.prompter, asking.progress});
        QCOMPARE(other.shown.size(), 1);
        QCOMPARE(other.shown.first().icon, MessageIcon::Question);
        QCOMPARE(other.shown.first().informative.contains(u"In einem anderen Fenster"_s),
                 sameFolder);
        QCOMPARE(QDir(bench.journalDir.path()).entryList(QDir::Files),
                 (QStringList {u"0000000000000001.run"_s, u"sequence"_s}));
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
            r.replace(0, r.indexOf('\n') + 1, journalformat::line("NAMLEX-UNDO 4"));
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

    // A record that can take no more during the run: the files are what
    // matters, so the run goes on; its summary says what undo can still do,
    // and undo calls the run incompletely recorded, not cut short.
    void aRunWhoseRecordFillsUpSaysSo()
    {
        const QList<QByteArray> files {"01 - a.mp3", "02 - b.mp3", "03 - c.mp3"};
        Bench bench(false, files);
        std::optional<FileSizeLimit> full;
        bench.files.beforeRename = [&] {
            if (!full)
                full.emplace(QFileInfo(newestRecord(bench)).size());
        };
        bench.prompter.answers = {Answer::Yes};
        bench.run({runBothCommand});
        full.reset();
        QCOMPARE(bench.names(), (QList<QByteArray> {"a.mp3", "b.mp3", "c.mp3"}));
        QCOMPARE(bench.prompter.shown.last().informative,
                 messages::recordIncomplete(
                     {platform::Cause::Other, std::nullopt, bench.journalDir.path(), EFBIG}));

        bench.prompter.shown.clear();
        bench.run({runUndoCommand});
        QCOMPARE(
            bench.prompter.shown.first().informative,
            u"3 Dateien bekommen ihren alten Namen zurück. Die Umbenennung wurde unvollständig "
            u"aufgezeichnet."_s);
        QCOMPARE(bench.names(), files);
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
        QCOMPARE(bench.prompter.shown.last().details,
                 u"Die Datei „01 - b.mp3“ hat ihren alten Namen behalten. Was unter „b.mp3“ "
                 u"steht, gehört nicht zu dieser Umbenennung und bleibt unberührt.\n"_s);
    }

    // On a share that does not say whether it folds case, an old name that
    // differs from another file's only in case is tried: the rename never
    // replaces a file.
    void aNameThatDiffersOnlyInCaseIsTried()
    {
        Bench bench(false, {"01 - a.mp3"});
        bench.run({runNumbersCommand});
        writeRawFile(bench.raw(), "01 - A.mp3", "other");
        bench.files.letterCase = platform::NameRules::LetterCase::Unknown;
        bench.run({runUndoCommand});
        QCOMPARE(bench.names(), (QList<QByteArray> {"01 - A.mp3", "01 - a.mp3"}));
        QCOMPARE(readRawFile(bench.raw(), "01 - a.mp3"), QByteArray("01 - a.mp3"));
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
        QVERIFY(bench.prompter.shown.first().informative.endsWith(
            u"Die Umbenennung wurde unterbrochen."_s));
        QCOMPARE(bench.names(), names);
        // Nothing was left behind: the files the run never reached are no
        // news.
        QCOMPARE(bench.prompter.shown.last().details, QString());
        for (const QByteArray &name : names)
            QCOMPARE(readRawFile(bench.raw(), name), name);
    }
};

QTEST_MAIN(TestUndoCommand)
#include "tst_undocommand.moc"

#include "journal/filejournal.h"
#include "journal/journalformat.h"
#include "journal/recordfolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace namlex;
using Outcome = RecordedRun::Outcome;

namespace {

std::atomic<ino_t> watchedFolder {0};
std::atomic<int> watchedFolderSyncs {0};

} // namespace

// Every fsync of the program passes here, so that a test sees which folder
// was written through to the disk.
extern "C" int fsync(int fd)
{
    struct stat info = {};
    if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode) && info.st_ino == watchedFolder)
        ++watchedFolderSyncs;
    return int(::syscall(SYS_fsync, fd));
}

namespace {

// A record of the given lines, each with its checksum.
QByteArray record(const QList<QByteArray> &lines)
{
    QByteArray out;
    for (const QByteArray &content : lines)
        out += journalformat::line(content);
    return out;
}

const QByteArray folder = QByteArray("/musik").toHex();
const QByteArray a = QByteArray("01 - a.mp3").toHex(), b = QByteArray("a.mp3").toHex();

QStringList runFiles(const QString &path)
{
    return QDir(path).entryList({u"*.run"_s}, QDir::Files, QDir::Name);
}

// Records a run that renamed one file.
void recordOneRun(Journal &journal)
{
    const std::unique_ptr<RunRecorder> recorder
        = journal.recordRun(u"/musik"_s, u"both"_s, {{0, u"01 - a.mp3"_s, u"a.mp3"_s, {1, 2, 3}}});
    QVERIFY(recorder->begin());
    recorder->renamed(0);
}

} // namespace

class TestFileJournal : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A record is trusted only as far as it can be: undo renames what it
    // names, so it must name plain files in a whole path.
    void readsBackOnlyWhatCanBeTrusted_data()
    {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<bool>("damaged");
        QTest::addColumn<QList<Outcome>>("outcomes");
        QTest::addColumn<bool>("finished");
        const QByteArray plan = "P 0 " + a + ' ' + b + " 1 2 3 0";
        const QByteArray second = "P 3 " + b + ' ' + a + " 1 4 5 0";
        const QList<QByteArray> head {"NAMLEX-UNDO 2", "R 1765000000000 " + folder + " both"};
        const QByteArray whole
            = record(head + QList<QByteArray> {plan, second, "B 2", "D 0 3", "E"});
        QTest::newRow("a whole run")
            << whole << false << QList<Outcome> {Outcome::Renamed, Outcome::Renamed} << true;
        QTest::newRow("a failure between two renames")
            << record(head + QList<QByteArray> {plan, second, "B 2", "F 0", "D 3 3", "E"}) << false
            << QList<Outcome> {Outcome::Failed, Outcome::Renamed} << true;
        QTest::newRow("an entry planned anew and one settled by an undo")
            << record(head
                      + QList<QByteArray> {plan, second, "B 2", "P 3 " + b + ' ' + b + "32 1 4 5 0",
                                           "D 0 3", "E", "S 0"})
            << false << QList<Outcome> {Outcome::Settled, Outcome::Renamed} << true;
        QTest::newRow("a last line cut short, as by a crash")
            << record(head + QList<QByteArray> {plan, second, "B 2", "D 0 0"}) + "D 3 3\t1234"
            << false << QList<Outcome> {Outcome::Renamed, Outcome::Unknown} << false;
        QTest::newRow("a record of the first version")
            << record({"NAMLEX-UNDO 1", "R 1765000000000 " + folder,
                       "P 0 " + a + ' ' + b + " 1 2 100 200 0", "B 1", "D 0", "E"})
            << false << QList<Outcome> {Outcome::Renamed} << true;
        QTest::newRow("a checksum that does not match")
            << QByteArray(whole).replace("D 0 3", "D 0 4") << true << QList<Outcome>() << false;
        QTest::newRow("cut within the plan")
            << whole.left(whole.indexOf("P 3")) << true << QList<Outcome>() << false;
        QTest::newRow("a line cut in the middle of the plan")
            << whole.left(whole.indexOf("P 3") + 7) + '\n' + whole.mid(whole.indexOf("B 2")) << true
            << QList<Outcome>() << false;
        QTest::newRow("a name that leaves the folder") << record(
            head
            + QList<QByteArray> {"P 0 " + QByteArray("../x.mp3").toHex() + ' ' + b + " 1 2 3 0",
                                 "B 1"}) << true << QList<Outcome>()
                                                       << false;
        QTest::newRow("an empty name")
            << record(head + QList<QByteArray> {"P 0 " + a + "  1 2 3 0", "B 1"}) << true
            << QList<Outcome>() << false;
        QTest::newRow("a folder that is not a whole path")
            << record({"NAMLEX-UNDO 2", "R 1765000000000 " + QByteArray("musik").toHex() + " both",
                       plan, "B 1"})
            << true << QList<Outcome>() << false;
        QTest::newRow("an unknown version") << record({"NAMLEX-UNDO 3", head.at(1), plan, "B 1"})
                                            << true << QList<Outcome>() << false;
    }

    void readsBackOnlyWhatCanBeTrusted()
    {
        QFETCH(QByteArray, record);
        QFETCH(bool, damaged);
        QFETCH(QList<Outcome>, outcomes);
        QFETCH(bool, finished);
        const RecordedRun run = journalformat::parse(record);
        QCOMPARE(run.damaged, damaged);
        QList<Outcome> read;
        for (const RecordedRun::Entry &entry : run.entries)
            read.append(entry.outcome);
        QCOMPARE(read, outcomes);
        QCOMPARE(run.finished, finished);
        if (!damaged)
            QCOMPARE(run.folder, u"/musik"_s);
    }

    // Runs are ordered by a number that never repeats nor goes back: two
    // runs in the same moment, or with the clock set back, keep their order,
    // and only the newest 50 are kept.
    void keepsTheNewestRunsInOrder()
    {
        QTemporaryDir dir;
        FileJournal journal(dir.path());
        for (int run = 0; run < RecordFolder::keptRuns + 3; ++run)
            recordOneRun(journal);
        const QStringList files = runFiles(dir.path());
        QCOMPARE(files.size(), RecordFolder::keptRuns);
        QCOMPARE(files.last(), u"%1.run"_s.arg(RecordFolder::keptRuns + 3, 16, 10, QChar(u'0')));

        // Undone runs leave; the next run still gets a new number.
        while (const std::unique_ptr<UndoableRun> run = journal.latestRun())
            run->retire();
        recordOneRun(journal);
        QCOMPARE(runFiles(dir.path()),
                 QStringList(u"%1.run"_s.arg(RecordFolder::keptRuns + 4, 16, 10, QChar(u'0'))));
        // The records hold the user's folder and file names: none for others.
        const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup
                                                | QFileDevice::ExeGroup | QFileDevice::ReadOther
                                                | QFileDevice::WriteOther | QFileDevice::ExeOther;
        QCOMPARE(QFile::permissions(dir.path()) & others, QFileDevice::Permissions());
        QCOMPARE(QFile::permissions(dir.filePath(runFiles(dir.path()).first())) & others,
                 QFileDevice::Permissions());
    }

    // A run holds its record until it ends: another window offers nothing.
    void aRunInProgressIsBusy()
    {
        QTemporaryDir dir;
        FileJournal journal(dir.path());
        FileJournal other(dir.path());
        {
            const std::unique_ptr<RunRecorder> recorder = journal.recordRun(
                u"/musik"_s, u"both"_s,
                {{0, u"01 - a.mp3"_s, u"a.mp3"_s, {}}, {2, u"02 - b.mp3"_s, u"b.mp3"_s, {}}});
            QVERIFY(recorder->begin());
            recorder->failed(0);
            recorder->renamed(2);
            QVERIFY(other.latestRun()->busy());
            // What happened so far is on disk as it goes.
            QFile record(dir.filePath(runFiles(dir.path()).first()));
            QVERIFY(record.open(QIODevice::ReadOnly));
            QVERIFY(!journalformat::parse(record.readAll()).damaged);
        }
        const std::unique_ptr<UndoableRun> run = other.latestRun();
        QVERIFY(!run->busy());
        QCOMPARE(run->run().entries.first().outcome, Outcome::Failed);
        QCOMPARE(run->run().entries.last().outcome, Outcome::Renamed);
        QVERIFY(journal.latestRun()->busy());
    }

    // Records written by earlier versions, not by this program's writer,
    // read as they were written: an upgrade must not turn them "damaged".
    void readsRecordsOfEarlierVersions_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QStringList>("entries"); // index, names, identity, outcome
        QTest::newRow("version 2") << u"0000000000000007.run"_s << u"/musik/Alben"_s
                                   << QStringList {u"0 01 - Lied_eins.mp3>Lied eins.mp3 2049 131 "
                                                   u"1765000000123456789 renamed"_s,
                                                   u"2 02 - Lied_zwei.mp3>Lied zwei.mp3 2049 132 "
                                                   u"1765000000223456789 failed"_s};
        QTest::newRow("version 1, without birth time")
            << u"1764000000000-4242.run"_s << u"/musik"_s
            << QStringList {u"0 01 - a.mp3>a.mp3 2049 131 0 renamed"_s};
    }

    void readsRecordsOfEarlierVersions()
    {
        QFETCH(QString, file);
        QFETCH(QString, folder);
        QFETCH(QStringList, entries);
        QFile record(QDir(QStringLiteral(NAMLEX_EARLIER_RECORDS)).filePath(file));
        QVERIFY(record.open(QIODevice::ReadOnly));
        const RecordedRun run = journalformat::parse(record.readAll());
        QVERIFY(!run.damaged);
        QCOMPARE(run.folder, folder);
        QStringList read;
        for (const RecordedRun::Entry &entry : run.entries) {
            const platform::FileIdentity &id = entry.file.identity;
            read.append(u"%1 %2>%3 %4 %5 %6 %7"_s.arg(entry.file.index)
                            .arg(entry.file.oldName, entry.file.newName)
                            .arg(id.device)
                            .arg(id.inode)
                            .arg(id.bornNs)
                            .arg(entry.outcome == Outcome::Renamed ? u"renamed"_s : u"failed"_s));
        }
        QCOMPARE(read, entries);
    }

    // The first version named records after the time the run began: of two,
    // the newer is offered first.
    void offersTheNewerOfTwoFirstVersionRecords()
    {
        QTemporaryDir dir;
        for (const QString &name : {u"1764000000000-4242.run"_s, u"1764000100000-4243.run"_s})
            QVERIFY(QFile::copy(QDir(QStringLiteral(NAMLEX_EARLIER_RECORDS)).filePath(name),
                                dir.filePath(name)));
        FileJournal journal(dir.path());
        const std::unique_ptr<UndoableRun> run = journal.latestRun();
        QVERIFY(run);
        QCOMPARE(run->run().entries.first().file.oldName, u"02 - b.mp3"_s);
    }

    // Pruning leaves a record that a run or an undo still holds, however old.
    void pruningLeavesAHeldRecord_data()
    {
        QTest::addColumn<bool>("byUndo");
        QTest::newRow("held by a run") << false;
        QTest::newRow("held by an undo") << true;
    }

    void pruningLeavesAHeldRecord()
    {
        QFETCH(bool, byUndo);
        QTemporaryDir dir;
        FileJournal journal(dir.path());
        std::unique_ptr<RunRecorder> running;
        std::unique_ptr<UndoableRun> undoing;
        if (byUndo) {
            recordOneRun(journal);
            undoing = journal.latestRun();
        } else {
            running = journal.recordRun(u"/musik"_s, u"both"_s,
                                        {{0, u"01 - a.mp3"_s, u"a.mp3"_s, {1, 2, 3}}});
            QVERIFY(running->begin());
            running->renamed(0);
        }
        const QString held = runFiles(dir.path()).first();
        FileJournal other(dir.path());
        for (int run = 0; run < RecordFolder::keptRuns + 1; ++run)
            recordOneRun(other);
        QVERIFY(runFiles(dir.path()).contains(held));
    }

    // The plan's record is in its folder's list on the disk, not only in
    // the file, before the first rename: a power cut must not lose it.
    void thePlanReachesTheFolderOnDisk()
    {
        QTemporaryDir dir;
        struct stat info = {};
        QVERIFY(::stat(QFile::encodeName(dir.path()).constData(), &info) == 0);
        watchedFolder = info.st_ino;
        watchedFolderSyncs = 0;
        FileJournal journal(dir.path());
        const std::unique_ptr<RunRecorder> recorder
            = journal.recordRun(u"/musik"_s, u"both"_s, {{0, u"a"_s, u"b"_s, {}}});
        QVERIFY(recorder->begin());
        QVERIFY(watchedFolderSyncs > 0);
        watchedFolder = 0;
    }

    // A data folder that cannot be made is known before the first rename.
    void aRunThatCannotBeRecordedSaysWhy()
    {
        QTemporaryDir dir;
        QFile file(dir.filePath(u"file"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
        FileJournal journal(dir.filePath(u"file/Namlex"_s));
        const std::unique_ptr<RunRecorder> recorder
            = journal.recordRun(u"/musik"_s, u"both"_s, {{0, u"a"_s, u"b"_s, {}}});
        QVERIFY(!recorder->problem().ok());
        QVERIFY(!recorder->begin());
    }
};

QTEST_MAIN(TestFileJournal)
#include "tst_filejournal.moc"

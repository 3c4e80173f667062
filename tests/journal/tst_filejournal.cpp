#include "journal/filejournal.h"
#include "journal/journalformat.h"
#include "journal/recordfolder.h"

#include "filesizelimit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <limits>

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
    const std::unique_ptr<RunRecorder> recorder = journal.recordRun(
        u"/musik"_s, std::nullopt, u"both"_s, {{0, u"01 - a.mp3"_s, u"a.mp3"_s, {1, 2, 3}}});
    QVERIFY(recorder->begin());
    recorder->renamed(0);
}

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

// What stands in the way of the records in Namlex/, which hold one run.
enum class Plant {
    CounterLink,
    CounterSecondName,
    RecordLink,
    OpenToOthers,
    OpenToGroup,
    OtherOwner,
    LinkToOpenFolder,
    LinkToOwnFolder,
    ReadOnly,
    CounterAtMaximum,
};

// Plants it beside "precious" and returns the path to give the journal;
// empty: it cannot be planted here.
QString plant(Plant what, const QDir &base)
{
    const QString records = base.filePath(u"Namlex"_s), link = base.filePath(u"link"_s);
    const QString precious = base.filePath(u"precious"_s), counter = records + u"/sequence"_s;
    const auto mode = [&](int permissions) {
        return QFile::setPermissions(records, QFileDevice::Permissions(permissions));
    };
    QFile file(counter);
    switch (what) {
    case Plant::CounterLink:
        return QFile::remove(counter) && QFile::link(precious, counter) ? records : QString();
    case Plant::CounterSecondName:
        return QFile::remove(counter)
                       && ::link(QFile::encodeName(precious).constData(),
                                 QFile::encodeName(counter).constData())
                              == 0
                   ? records
                   : QString();
    case Plant::RecordLink: // the only record, and the newest, a link to one elsewhere
        return QFile::remove(precious)
                       && QFile::rename(records + u"/0000000000000001.run"_s, precious)
                       && QFile::link(precious, records + u"/0000000000000009.run"_s)
                   ? records
                   : QString();
    case Plant::OpenToOthers:
        return mode(0x7777) ? records : QString();
    case Plant::OpenToGroup:
        return mode(0x7770) ? records : QString();
    case Plant::OtherOwner:
        return ::geteuid() == 0
                       && ::chown(QFile::encodeName(records).constData(), 65534, 65534) == 0
                   ? records
                   : QString();
    case Plant::LinkToOpenFolder:
        return mode(0x7777) && QFile::link(records, link) ? link : QString();
    case Plant::LinkToOwnFolder:
        return QFile::link(records, link) ? link : QString();
    case Plant::ReadOnly:
        return mode(0x5000) ? records : QString();
    case Plant::CounterAtMaximum:
        return file.open(QIODevice::WriteOnly)
                       && file.write(QByteArray::number(std::numeric_limits<qint64>::max())) > 0
                   ? records
                   : QString();
    }
    return QString();
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
        QTest::addColumn<QList<qint64>>("times"); // each file's time of change as renamed
        const QByteArray plan = "P 0 " + a + ' ' + b + " 1 2 3 0";
        const QByteArray second = "P 3 " + b + ' ' + a + " 1 4 5 0";
        const QList<QByteArray> head {"NAMLEX-UNDO 2", "R 1765000000000 " + folder + " both"};
        const QByteArray whole
            = record(head + QList<QByteArray> {plan, second, "B 2", "D 0 3", "E"});
        QTest::newRow("a whole run")
            << whole << false << QList<Outcome> {Outcome::Renamed, Outcome::Renamed} << true
            << QList<qint64> {0, 0};
        QTest::newRow("a failure between two renames")
            << record(head + QList<QByteArray> {plan, second, "B 2", "F 0", "D 3 3", "E"}) << false
            << QList<Outcome> {Outcome::Failed, Outcome::Renamed} << true << QList<qint64> {0, 0};
        QTest::newRow("an entry planned anew and one settled by an undo")
            << record(head
                      + QList<QByteArray> {plan, second, "B 2", "P 3 " + b + ' ' + b + "32 1 4 5 0",
                                           "D 0 3", "E", "S 0"})
            << false << QList<Outcome> {Outcome::Settled, Outcome::Renamed} << true
            << QList<qint64> {0, 0};
        QTest::newRow("a last line cut short, as by a crash")
            << record(head + QList<QByteArray> {plan, second, "B 2", "D 0 0"}) + "D 3 3\t1234"
            << false << QList<Outcome> {Outcome::Renamed, Outcome::Unknown} << false
            << QList<qint64> {0, 0};
        QTest::newRow("a record of the first version")
            << record({"NAMLEX-UNDO 1", "R 1765000000000 " + folder,
                       "P 0 " + a + ' ' + b + " 1 2 100 200 0", "B 1", "D 0", "E"})
            << false << QList<Outcome> {Outcome::Renamed} << true << QList<qint64> {200};
        const QByteArray volume = "V " + QByteArray("uuid:1234-ABCD").toHex() + " 0 ";
        const QList<QByteArray> third {"NAMLEX-UNDO 3", head.at(1)};
        const QByteArray planned = "P 0 " + a + ' ' + b + " 1 2 3 0 11 1765000000000000000";
        QTest::newRow("a record with its folder's place on its volume")
            << record(third
                      + QList<QByteArray> {volume + QByteArray("/Musik").toHex(), planned, "B 1",
                                           "D 0 0", "E"})
            << false << QList<Outcome> {Outcome::Renamed} << true
            << QList<qint64> {1765000000000000000};
        QTest::newRow("a file's time of change as its rename left it")
            << record(third
                      + QList<QByteArray> {volume + QByteArray("/Musik").toHex(), planned, "B 1",
                                           "M 0 11 1765000000060000000", "D 0 0", "E"})
            << false << QList<Outcome> {Outcome::Renamed} << true
            << QList<qint64> {1765000000060000000};
        QTest::newRow("a time of change for a file the plan does not name")
            << record(third + QList<QByteArray> {planned, "B 1", "M 1 11 1765000000060000000"})
            << true << QList<Outcome>() << false << QList<qint64> {};
        QTest::newRow("a time of change in a record of the second version")
            << record(head + QList<QByteArray> {plan, "B 1", "M 0 11 1765000000060000000"}) << true
            << QList<Outcome>() << false << QList<qint64> {};
        QTest::newRow("a place on the volume that is not a whole path")
            << record(third
                      + QList<QByteArray> {volume + QByteArray("Musik").toHex(), planned, "B 1"})
            << true << QList<Outcome>() << false << QList<qint64> {};
        QTest::newRow("a checksum that does not match")
            << QByteArray(whole).replace("D 0 3", "D 0 4") << true << QList<Outcome>() << false
            << QList<qint64> {};
        QTest::newRow("cut within the plan") << whole.left(whole.indexOf("P 3")) << true
                                             << QList<Outcome>() << false << QList<qint64> {};
        QTest::newRow("a line cut in the middle of the plan")
            << whole.left(whole.indexOf("P 3") + 7) + '\n' + whole.mid(whole.indexOf("B 2")) << true
            << QList<Outcome>() << false << QList<qint64> {};
        QTest::newRow("a name that leaves the folder") << record(
            head
            + QList<QByteArray> {"P 0 " + QByteArray("../x.mp3").toHex() + ' ' + b + " 1 2 3 0",
                                 "B 1"}) << true << QList<Outcome>()
                                                       << false << QList<qint64> {};
        QTest::newRow("an empty name")
            << record(head + QList<QByteArray> {"P 0 " + a + "  1 2 3 0", "B 1"}) << true
            << QList<Outcome>() << false << QList<qint64> {};
        QTest::newRow("a folder that is not a whole path")
            << record({"NAMLEX-UNDO 2", "R 1765000000000 " + QByteArray("musik").toHex() + " both",
                       plan, "B 1"})
            << true << QList<Outcome>() << false << QList<qint64> {};
        QTest::newRow("an unknown version")
            << record({"NAMLEX-UNDO 4", head.at(1), plan, "B 1"}) << true << QList<Outcome>()
            << false << QList<qint64> {};
        // 2^32 would read as entry 0 if it were cut to an int.
        QTest::newRow("an entry beyond every number the plan can have")
            << record(head + QList<QByteArray> {plan, second, "B 2", "D 4294967296 4294967296"})
            << true << QList<Outcome>() << false << QList<qint64> {};
    }

    void readsBackOnlyWhatCanBeTrusted()
    {
        QFETCH(QByteArray, record);
        QFETCH(bool, damaged);
        QFETCH(QList<Outcome>, outcomes);
        QFETCH(bool, finished);
        QFETCH(QList<qint64>, times);
        const RecordedRun run = journalformat::parse(record);
        QCOMPARE(run.damaged, damaged);
        QList<Outcome> read;
        QList<qint64> readTimes;
        for (const RecordedRun::Entry &entry : run.entries) {
            read.append(entry.outcome);
            readTimes.append(entry.file.underNewName().modifiedNs);
        }
        QCOMPARE(read, outcomes);
        QCOMPARE(readTimes, times);
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
                u"/musik"_s, std::nullopt, u"both"_s,
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

    // The folder of the records trusts nothing it did not make: a link or a
    // second name of another file leads no write astray, a folder others
    // could write in or another user owns could hold planted records and is
    // not used, the folder's mode is the user's, and numbers never wrap.
    void trustsOnlyWhatItMade_data()
    {
        using C = platform::Cause;
        QTest::addColumn<Plant>("plant");
        QTest::addColumn<platform::Cause>("cause");
        QTest::addColumn<bool>("offered"); // the run before, for undo
        QTest::newRow("the counter a link") << Plant::CounterLink << C::None << true;
        QTest::newRow("the counter a second name") << Plant::CounterSecondName << C::None << true;
        QTest::newRow("a record a link") << Plant::RecordLink << C::None << false;
        QTest::newRow("open to others") << Plant::OpenToOthers << C::FolderOpenToOthers << false;
        QTest::newRow("open to the group") << Plant::OpenToGroup << C::FolderOpenToOthers << false;
        QTest::newRow("another user's") << Plant::OtherOwner << C::NotOwnFolder << false;
        QTest::newRow("a link to a folder open to others")
            << Plant::LinkToOpenFolder << C::FolderOpenToOthers << false;
        QTest::newRow("a link to a folder of one's own")
            << Plant::LinkToOwnFolder << C::None << true;
        QTest::newRow("made read-only by the user") << Plant::ReadOnly << C::NoPermission << true;
        QTest::newRow("the counter at its maximum")
            << Plant::CounterAtMaximum << C::NoNumbersLeft << true;
    }

    void trustsOnlyWhatItMade()
    {
        QFETCH(Plant, plant);
        QFETCH(platform::Cause, cause);
        QFETCH(bool, offered);
        QTemporaryDir dir;
        const QString folder = dir.filePath(u"Namlex"_s), precious = dir.filePath(u"precious"_s);
        {
            FileJournal first(folder);
            recordOneRun(first);
        }
        QCOMPARE(QFile::permissions(folder) & QFileDevice::Permissions(0x77), 0);
        QFile file(precious);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("1234567") == 7);
        file.close();
        const QString path = ::plant(plant, QDir(dir.path()));
        if (path.isEmpty())
            QSKIP("Giving a folder to another user needs root.");
        const QByteArray before = contentOf(precious);
        const QFileDevice::Permissions mode = QFile::permissions(folder);

        FileJournal journal(path);
        const bool offers = journal.latestRun() != nullptr;
        const std::unique_ptr<RunRecorder> recorder
            = journal.recordRun(u"/musik"_s, std::nullopt, u"both"_s, {{0, u"a"_s, u"b"_s, {}}});
        const QFileDevice::Permissions after = QFile::permissions(folder);
        // A record is made before the question, waiting for its answer.
        const qsizetype runs
            = QDir(folder).entryList({u"*.run"_s, u"*.waiting"_s}, QDir::Files).size();
        QFile::setPermissions(folder, QFileDevice::Permissions(0x7700));
        QCOMPARE(recorder->problem().cause, cause);
        QCOMPARE(recorder->problem().otherName, cause == platform::Cause::None ? QString() : path);
        QCOMPARE(runs, cause == platform::Cause::None ? 2 : 1);
        QCOMPARE(after, mode);
        QCOMPARE(offers, offered);
        QCOMPARE(contentOf(precious), before);
    }

    // The record never has a gap and says truthfully whether it holds the
    // whole run: a disk that fills and frees up again loses nothing, one
    // that stays full leaves a record that says it ends early.
    void aRecordThatLosesWritesSaysSo_data()
    {
        QTest::addColumn<int>("fullFrom"); // after this many renames the disk is full,
        QTest::addColumn<int>("freeFrom"); // and after this many free again; -1: never
        QTest::addColumn<int>("recorded"); // renames in the record
        QTest::newRow("full for a while") << 0 << 1025 << 1026;
        QTest::newRow("full until the end") << 0 << -1 << 0;
        QTest::newRow("full at the end") << 1024 << -1 << 1024;
    }

    void aRecordThatLosesWritesSaysSo()
    {
        QFETCH(int, fullFrom);
        QFETCH(int, freeFrom);
        QFETCH(int, recorded);
        QTemporaryDir dir;
        FileJournal journal(dir.path());
        QList<JournalEntry> planned;
        for (int index = 0; index < 1026; ++index)
            planned.append({index, u"%1_a"_s.arg(index), u"%1 a"_s.arg(index), {1, index, 0}});
        const std::unique_ptr<RunRecorder> recorder
            = journal.recordRun(u"/musik"_s, std::nullopt, u"both"_s, planned);
        QVERIFY(recorder->begin());
        const QString path = dir.filePath(runFiles(dir.path()).first());
        std::optional<test::FileSizeLimit> full;
        for (int index = 0; index < planned.size(); ++index) {
            if (index == fullFrom) // a few bytes more, so that a line is cut short
                full.emplace(QFileInfo(path).size() + 5);
            if (index == freeFrom)
                full.reset();
            recorder->renamed(index);
        }
        QCOMPARE(recorder->end().ok(), recorded == planned.size());
        full.reset();
        const QByteArray record = contentOf(path);
        QVERIFY(record.endsWith('\n')); // no part of a line that failed is left
        const RecordedRun run = journalformat::parse(record);
        QVERIFY(!run.damaged);
        QCOMPARE(run.incomplete, recorded < planned.size());
        QCOMPARE(run.finished, !run.incomplete);
        QCOMPARE(run.entriesLeftToUndo(), planned.size());
        QCOMPARE(
            int(std::count_if(run.entries.begin(), run.entries.end(),
                              [](const auto &entry) { return entry.outcome == Outcome::Renamed; })),
            recorded);
    }

    // A last line cut short by a crash stays no damage once an undo has
    // added its own lines after it.
    void aLineCutShortIsNoDamageLater()
    {
        QTemporaryDir dir;
        FileJournal journal(dir.path());
        recordOneRun(journal);
        QFile record(dir.filePath(runFiles(dir.path()).first()));
        QVERIFY(record.open(QIODevice::Append) && record.write("D 0 0\t12") == 8);
        record.close();
        journal.latestRun()->settle(0);
        const RecordedRun run = journalformat::parse(contentOf(record.fileName()));
        QVERIFY(!run.damaged);
        QCOMPARE(run.entries.first().outcome, Outcome::Settled);
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
            running = journal.recordRun(u"/musik"_s, std::nullopt, u"both"_s,
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
            = journal.recordRun(u"/musik"_s, std::nullopt, u"both"_s, {{0, u"a"_s, u"b"_s, {}}});
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
            = journal.recordRun(u"/musik"_s, std::nullopt, u"both"_s, {{0, u"a"_s, u"b"_s, {}}});
        QVERIFY(!recorder->problem().ok());
        QVERIFY(!recorder->begin());
    }
};

QTEST_MAIN(TestFileJournal)
#include "tst_filejournal.moc"

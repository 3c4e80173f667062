// Measures Namlex on large folders against the bare system calls and writes
// the figures to results.md. Run from the build folder:
//   bench/namlex-bench [--dir FOLDER] [--runs N] [--program NAMLEX]
//                      [--part both|window|question|rereads|idle|startup]
// Only a full run of this build's program writes results.md.
#include "bareloop.h"
#include "benchfolder.h"
#include "machine.h"
#include "results.h"
#include "windowtimings.h"
#ifdef NAMLEX_BENCH_X11
#include "throughwindow.h"
#include "xsession.h"
#endif

#include "platform/folderlisting.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>

using namespace Qt::StringLiterals;
using namespace namlex::bench;

namespace {

struct Options
{
    QString folder = QDir::tempPath();
    int runs = 5;
    QString part; // empty: every part
    // The program the figures through the window run: another build of it
    // can be compared against the same bare loop.
    QString program = QStringLiteral(NAMLEX_PROGRAM);
    bool includes(const QString &name) const { return part.isEmpty() || part == name; }
};

// Debian's rename (File::Rename), or nothing when it is not installed.
QString debianRename()
{
    const QString rename = QStandardPaths::findExecutable(u"file-rename"_s);
    return rename.isEmpty() ? QStandardPaths::findExecutable(u"rename"_s) : rename;
}

// As a user would run it, `ls | rename '...'`: the names on standard input,
// in the order ls gives them.
double timeDebianRename(const QString &rename, const QString &folder, QList<QByteArray> names)
{
    std::sort(names.begin(), names.end());
    QProcess process;
    process.setWorkingDirectory(folder);
    QElapsedTimer clock;
    clock.start();
    process.start(rename, {u"s/^0\\d* - //; s/_/ /g"_s});
    process.write(names.join('\n') + '\n');
    process.closeWriteChannel();
    process.waitForFinished(-1);
    return elapsedMs(clock);
}

double timeBareLoop(const QString &folder, bool inListOrder)
{
    QElapsedTimer clock;
    clock.start();
    runBareLoop(folder, inListOrder);
    return elapsedMs(clock);
}

// Rounds of the contenders on identical fresh copies of the same names,
// one folder each: in every round each contender goes once, `time(which,
// folder)`, and the first to go moves on by one from round to round, so
// that none always meets the file system in the same state. Every
// contender must leave the same names behind.
void takeTurns(const Options &options, const QStringList &folders, const QList<QByteArray> &names,
               const std::function<void(qsizetype which, const QString &folder)> &time)
{
    for (int run = 0; run < options.runs; ++run) {
        for (const QString &folder : folders)
            createFolder(folder, names);
        for (qsizetype turn = 0; turn < folders.size(); ++turn) {
            const qsizetype which = (run + turn) % folders.size();
            time(which, folders.at(which));
        }
        const auto newNames
            = [](const QString &folder) { return namlex::platform::listFiles(folder, {u"*.*"_s}); };
        for (const QString &folder : folders) {
            if (newNames(folder) != newNames(folders.at(0)))
                qFatal("the renames disagree on the new names");
        }
        for (const QString &folder : folders)
            QDir(folder).removeRecursively();
    }
}

// The both command on identical fresh copies of 10,000 files: Namlex, the
// bare loop (in readdir's order and in the list's order) and Debian's rename
// take turns going first. Namlex's run is timed from the answer to its
// question to the summary, and what of it went to the record for undo;
// working out the plan before the question is timed on its own.
void measureBothCommand(const Options &options, const QString &work, ResultTable &table)
{
    const QList<QByteArray> names = sampleNames(10000);
    const QString rename = debianRename();
    QStringList folders {work + u"/namlex"_s, work + u"/bare"_s, work + u"/bare-list-order"_s};
    if (!rename.isEmpty())
        folders.append(work + u"/rename"_s);
    QList<double> namlex, record, question, whole, bare, bareInListOrder, perl;
    takeTurns(options, folders, names, [&](qsizetype which, const QString &folder) {
        switch (which) {
        case 0: {
            const BothCommandTimes times = timeBothCommand(folder);
            namlex.append(times.run);
            record.append(times.record / (times.run - times.record));
            question.append(times.question);
            whole.append(times.total);
            break;
        }
        case 1:
            bare.append(timeBareLoop(folder, false));
            break;
        case 2:
            bareInListOrder.append(timeBareLoop(folder, true));
            break;
        default:
            perl.append(timeDebianRename(rename, folder, names));
        }
    });
    const QString runs = u"median of %1"_s.arg(options.runs);
    table.add(u"Both command, 10,000 files: Namlex, from the answer to the summary"_s,
              median(namlex), u" ms"_s, 0, runs + u", with the record for undo"_s);
    table.add(u"**Both command, cost of the record for undo**"_s, median(record) * 100, u" %"_s, 3,
              u"time the run spent in its record, against the rest of the run"_s);
    table.add(u"Both command, 10,000 files: bare loop"_s, median(bare), u" ms"_s, 0, runs);
    table.add(u"**Both command, Namlex / bare loop**"_s, median(namlex) / median(bare), u" ×"_s,
              1.25);
    table.add(u"Both command, 10,000 files: bare loop in the list's order"_s,
              median(bareInListOrder), u" ms"_s, 0, runs);
    table.add(u"**Both command, Namlex / bare loop in the list's order**"_s,
              median(namlex) / median(bareInListOrder), u" ×"_s, 1.1, u"see profile.md"_s);
    table.add(u"Both command, bare loop in the list's order / bare loop"_s,
              median(bareInListOrder) / median(bare), u" ×"_s, 0,
              u"what visiting the list's order costs by itself"_s);
    table.add(u"Both command, 10,000 files: from the click to the question (the plan)"_s,
              median(question), u" ms"_s, 0, runs);
    table.add(u"Both command, 10,000 files: Namlex, click to summary"_s, median(whole), u" ms"_s, 0,
              runs + u", the question read for 300 ms"_s);
    if (!rename.isEmpty()) {
        table.add(u"Both command, 10,000 files: Debian's rename"_s, median(perl), u" ms"_s, 0, runs);
        table.add(u"Both command, Debian's rename / bare loop"_s, median(perl) / median(bare),
                  u" ×"_s, 0, u"for reference"_s);
    }
}

#ifdef NAMLEX_BENCH_X11
// The both command in the real program, on 30,000 files, worked with real
// key presses on an X server, against the bare loop and Debian's rename on
// identical copies, taking turns.
void measureThroughWindow(const Options &options, const QString &work, ResultTable &table)
{
    const std::unique_ptr<XSession> session = XSession::start();
    if (!session) {
        std::printf("Xvfb or openbox cannot be started: no figures through the window.\n");
        return;
    }
    const QList<QByteArray> names = sampleNames(30000, true);
    const QString rename = debianRename();
    QStringList folders {work + u"/window"_s, work + u"/window-bare"_s};
    if (!rename.isEmpty())
        folders.append(work + u"/window-rename"_s);
    QList<double> window, question, bare, perl;
    takeTurns(options, folders, names, [&](qsizetype which, const QString &folder) {
        switch (which) {
        case 0: {
            const WindowTimes times = timeThroughWindow(*session, options.program, folder);
            if (times.run < 0)
                qFatal("the program or one of its boxes did not appear");
            window.append(times.run);
            question.append(times.question);
            break;
        }
        case 1:
            bare.append(timeBareLoop(folder, false));
            break;
        default:
            perl.append(timeDebianRename(rename, folder, names));
        }
    });
    const QString runs = u"median of %1"_s.arg(options.runs);
    table.add(u"Both command through the window, 30,000 files: from the answer to the summary"_s,
              median(window), u" ms"_s, 0, runs + u", real key presses on Xvfb"_s);
    table.add(u"Both command, 30,000 files: bare loop"_s, median(bare), u" ms"_s, 0, runs);
    table.add(u"**Both command through the window / bare loop**"_s, median(window) / median(bare),
              u" ×"_s, 1.5);
    if (!rename.isEmpty()) {
        table.add(u"Both command, 30,000 files: Debian's rename, names on standard input from ls"_s,
                  median(perl), u" ms"_s, 0, runs);
        table.add(u"Both command, 30,000 files: Debian's rename / bare loop"_s,
                  median(perl) / median(bare), u" ×"_s, 0, u"for reference"_s);
        table.add(u"**Both command through the window / Debian's rename**"_s,
                  median(window) / median(perl), u" ×"_s, 1, u"below 1: faster"_s);
    }
    table.add(u"**Click to the question with its plan, 30,000 entries, through the window**"_s,
              median(question), u" ms"_s, 150, runs + u", a real key press"_s);
}
#endif

// From the click to the question with its plan on screen, in a folder of
// 30,000 entries.
void measureQuestion(const Options &options, const QString &work, ResultTable &table)
{
    const QString folder = work + u"/question"_s;
    createFolder(folder, sampleNames(30000));
    QList<double> shown;
    for (int run = 0; run < options.runs; ++run)
        shown.append(timeToConfirmation(folder));
    table.add(u"**Click to the question with its plan, 30,000 entries**"_s, median(shown), u" ms"_s,
              200, u"median of %1, a real message box"_s.arg(options.runs));
    QDir(folder).removeRecursively();
}

void measureRereads(const Options &options, const QString &work, int files, ResultTable &table)
{
    const QString folder = work + u"/reread"_s;
    createFolder(folder, sampleNames(files));
    const QString size = QLocale(QLocale::English).toString(files);
    // The worker thread's share: the listing itself.
    QList<double> listing;
    for (int run = 0; run < options.runs; ++run) {
        QElapsedTimer clock;
        clock.start();
        namlex::platform::listFiles(folder, {u"*.mp3"_s, u"*.wma"_s});
        listing.append(elapsedMs(clock));
    }
    const RereadStalls stalls = measureRereadStalls(folder, std::max(options.runs, 5));
    const bool targeted = files <= 30000;
    const QString worst = u"median of %1 re-reads, worst %2 ms"_s;
    table.add(u"**Timer re-read, %1 files, unchanged: window blocked**"_s.arg(size),
              median(stalls.unchanged), u" ms"_s, targeted ? 10 : 0,
              worst.arg(stalls.unchanged.size()).arg(largest(stalls.unchanged), 0, 'f', 1));
    table.add(
        u"**Timer re-read, %1 files, one file added: window blocked**"_s.arg(size),
        median(stalls.oneFileChanged), u" ms"_s, targeted ? 40 : 0,
        worst.arg(stalls.oneFileChanged.size()).arg(largest(stalls.oneFileChanged), 0, 'f', 1));
    table.add(u"Listing %1 files on the worker thread"_s.arg(size), median(listing), u" ms"_s, 0,
              u"not felt in the window"_s);
    QDir(folder).removeRecursively();
}

void measureIdle(const QString &work, ResultTable &table)
{
    const QString folder = work + u"/idle"_s;
    createFolder(folder, sampleNames(30000));
    constexpr int seconds = 20;
    table.add(u"**Idle window, 30,000 files: share of one core**"_s,
              measureIdleShare(folder, seconds), u" %"_s, 1,
              u"over %1 s, the timer re-reading every second"_s.arg(seconds));
    QDir(folder).removeRecursively();
}

void measureStartup(const Options &options, const QString &work, ResultTable &table)
{
    const QString folder = work + u"/startup"_s;
    createFolder(folder, sampleNames(30000));
    QList<double> shown, peak;
    for (int run = 0; run < options.runs; ++run) {
        QProcess child;
        QElapsedTimer clock;
        clock.start();
        child.start(QCoreApplication::applicationFilePath(), {u"--startup-child"_s, folder});
        while (child.state() != QProcess::NotRunning && !child.canReadLine())
            child.waitForReadyRead(10);
        shown.append(elapsedMs(clock));
        child.waitForFinished(-1);
        const QStringList lines = QString::fromUtf8(child.readAllStandardOutput()).split(u'\n');
        for (const QString &line : lines) {
            if (line.startsWith(u"peak "_s))
                peak.append(line.mid(5).toDouble());
        }
    }
    const QString runs = u"median of %1 starts, each a new process"_s.arg(options.runs);
    table.add(u"**Start-up to shown window, 30,000 files**"_s, median(shown), u" ms"_s, 400, runs);
    table.add(u"**Peak resident memory, 30,000 files**"_s, largest(peak), u" MiB"_s, 120,
              u"worst of %1 starts, after two re-reads"_s.arg(peak.size()));
    QDir(folder).removeRecursively();
}

Options parse(const QStringList &arguments)
{
    Options options;
    for (qsizetype i = 1; i + 1 < arguments.size(); i += 2) {
        if (arguments.at(i) == u"--dir"_s)
            options.folder = arguments.at(i + 1);
        else if (arguments.at(i) == u"--part"_s)
            options.part = arguments.at(i + 1);
        else if (arguments.at(i) == u"--program"_s)
            options.program = arguments.at(i + 1);
        else if (arguments.at(i) == u"--runs"_s)
            options.runs = std::max(5, arguments.at(i + 1).toInt());
    }
    return options;
}

} // namespace

int main(int argc, char **argv)
{
    // Measured without a display, so that figures compare across machines.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 3 && qstrcmp(argv[1], "--startup-child") == 0)
        return runStartupChild(argc, argv, QString::fromLocal8Bit(argv[2]));

    QApplication app(argc, argv);
    const Options options = parse(QCoreApplication::arguments());
    QTemporaryDir work(options.folder + u"/namlex-bench-XXXXXX"_s);
    if (!work.isValid())
        qFatal("cannot create a folder in %s", qPrintable(options.folder));

    ResultTable table;
    if (options.includes(u"both"_s))
        measureBothCommand(options, work.path(), table);
#ifdef NAMLEX_BENCH_X11
    if (options.includes(u"window"_s))
        measureThroughWindow(options, work.path(), table);
#endif
    if (options.includes(u"question"_s))
        measureQuestion(options, work.path(), table);
    if (options.includes(u"rereads"_s)) {
        measureRereads(options, work.path(), 30000, table);
        measureRereads(options, work.path(), 100000, table);
    }
    if (options.includes(u"idle"_s))
        measureIdle(work.path(), table);
    if (options.includes(u"startup"_s))
        measureStartup(options, work.path(), table);

    const QString report
        = u"# Namlex benchmark\n\nMeasured %1 with `bench/namlex-bench --runs %2`.\n\n"_s
              .arg(QDateTime::currentDateTimeUtc().toString(Qt::ISODate))
              .arg(options.runs)
          + machineDescription(options.folder) + u'\n' + table.markdown();
    std::printf("%s", report.toUtf8().constData());
    QFile out(QStringLiteral(NAMLEX_BENCH_RESULTS));
    if (options.part.isEmpty() && options.program == QStringLiteral(NAMLEX_PROGRAM)
        && out.open(QIODevice::WriteOnly))
        out.write(report.toUtf8());
    return table.allTargetsMet() ? 0 : 1;
}

#include "windowtimings.h"

#include "machine.h"
#include "results.h"

#include "commands/platformfiles.h"
#include "journal/filejournal.h"
#include "window/auswahlfenster.h"
#include "window/filelistbox.h"
#include "window/settingsstore.h"
#include "window/systemvolumes.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace namlex::bench {

namespace {

// Answers every box with its default button, Yes or OK, and notes when
// each was asked for and answered. A person takes a moment to read the
// question, and the run's record is written meanwhile; so does this.
class YesPrompter : public Prompter
{
public:
    QList<Message> shown;
    QList<double> askedAtMs;
    QList<double> answeredAtMs;
    QElapsedTimer clock;
    std::chrono::milliseconds readingTime {300};
    Answer ask(const Message &message) override
    {
        askedAtMs.append(elapsedMs(clock));
        shown.append(message);
        if (shown.size() == 1)
            QThread::msleep(static_cast<unsigned long>(readingTime.count()));
        answeredAtMs.append(elapsedMs(clock));
        return message.defaultButton();
    }
};

// Adds up the time spent in `call`.
template<typename Call>
void timed(double &total, Call call)
{
    QElapsedTimer clock;
    clock.start();
    call();
    total += elapsedMs(clock);
}

// The record of one run, with a clock on everything the run waits for from
// the answer on: the wait for the plan to reach the disk, every outcome and
// the end.
class TimedRecorder : public RunRecorder
{
public:
    TimedRecorder(std::unique_ptr<RunRecorder> recorder, double &runMs)
        : recorder(std::move(recorder))
        , runMs(runMs)
    { }
    ~TimedRecorder() override
    {
        timed(runMs, [&] { recorder.reset(); });
    }
    platform::Problem problem() const override { return recorder->problem(); }
    bool begin() override
    {
        bool begun = false;
        timed(runMs, [&] { begun = recorder->begin(); });
        return begun;
    }
    void replanned(const QList<JournalEntry> &entries) override
    {
        timed(runMs, [&] { recorder->replanned(entries); });
    }
    void renamed(int index) override
    {
        timed(runMs, [&] { recorder->renamed(index); });
    }
    void failed(int index) override
    {
        timed(runMs, [&] { recorder->failed(index); });
    }
    platform::Problem end() override
    {
        platform::Problem lost;
        timed(runMs, [&] { lost = recorder->end(); });
        return lost;
    }

private:
    std::unique_ptr<RunRecorder> recorder;
    double &runMs;
};

// The record for undo; writing a run's plan belongs to the question.
class TimedJournal : public Journal
{
public:
    explicit TimedJournal(const QString &folder)
        : journal(folder)
    { }
    double runMs = 0; // from the answer on

    std::unique_ptr<RunRecorder> recordRun(const QString &folder,
                                           const std::optional<platform::VolumePlace> &volume,
                                           const QString &command,
                                           const QList<JournalEntry> &planned) override
    {
        return std::make_unique<TimedRecorder>(journal.recordRun(folder, volume, command, planned),
                                               runMs);
    }
    std::unique_ptr<UndoableRun> latestRun() override { return journal.latestRun(); }

private:
    FileJournal journal;
};

class FixedSettings : public SettingsStore
{
public:
    explicit FixedSettings(const QString &folder)
        : folder(folder)
    { }
    std::optional<QString> readFolder() override { return folder; }
    void writeFolder(const QString &) override { }

private:
    QString folder;
};

// A window as the program opens it, with the stored folder `folder`.
struct OpenWindow
{
    FixedSettings settings;
    SystemVolumes volumes;
    PlatformFileSystem files;
    QTemporaryDir journalDir;
    TimedJournal journal {journalDir.path()};
    YesPrompter prompter;
    AuswahlFenster window;

    // `realBoxes`: the window shows real message boxes.
    explicit OpenWindow(const QString &folder, bool realBoxes = false)
        : settings(folder)
        , window({files,
                  journal,
                  volumes,
                  settings,
                  QCoreApplication::applicationDirPath(),
                  {},
                  u"1.2"_s,
                  realBoxes ? nullptr : &prompter})
    {
        window.load();
        window.show();
        while (!window.windowHandle() || !window.windowHandle()->isExposed())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QCoreApplication::processEvents();
    }
    FileListBox &list() { return *window.controls().File1; }
};

// Handles events until `done`, and returns the longest single stretch of
// event handling meanwhile.
template<typename Done>
double longestStallUntil(Done done)
{
    double longest = 0;
    while (!done()) {
        QElapsedTimer clock;
        clock.start();
        QCoreApplication::processEvents();
        longest = std::max(longest, elapsedMs(clock));
    }
    return longest;
}

} // namespace

BothCommandTimes timeBothCommand(const QString &folder)
{
    OpenWindow open(folder);
    open.window.controls().Option2->click();
    open.prompter.clock.start();
    open.window.controls().BeidesLöschen->click();
    const double total = elapsedMs(open.prompter.clock);
    if (!open.prompter.shown.last().title.startsWith(u"Ergebnis des Wartens"_s))
        qFatal("the both command ended without its summary");
    // The question is the first box, the summary the last.
    const QList<double> &asked = open.prompter.askedAtMs;
    const double answered = open.prompter.answeredAtMs.first();
    return {asked.first(), asked.last() - answered, open.journal.runMs, total};
}

double timeToConfirmation(const QString &folder)
{
    OpenWindow open(folder, true);
    // Notes when the question is on screen, then answers it with No.
    double shownAfter = -1;
    QElapsedTimer clock;
    std::function<void()> watch;
    watch = [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) {
            QTimer::singleShot(0, watch);
            return;
        }
        shownAfter = elapsedMs(clock);
        box->reject();
    };
    QTimer::singleShot(0, watch);
    clock.start();
    open.window.controls().BeidesLöschen->click();
    if (shownAfter < 0)
        qFatal("the both command asked no question");
    return shownAfter;
}

RereadStalls measureRereadStalls(const QString &folder, int samples)
{
    OpenWindow open(folder);
    // The same re-read as every second, only more often, to collect samples quickly.
    open.window.controls().Timer1->setInterval(100);
    int listings = 0;
    QObject::connect(&open.list(), &FileListBox::backgroundListed, [&] { ++listings; });

    RereadStalls stalls;
    // The first listing warms the caches; it is not counted.
    longestStallUntil([&] { return listings >= 1; });
    for (int i = 0; i < samples; ++i) {
        const int target = listings + 1;
        stalls.unchanged.append(longestStallUntil([&] { return listings >= target; }));
    }
    const QString extra = folder + u"/00 - added_file.mp3"_s;
    for (int i = 0; i < samples; ++i) {
        const int before = open.list().listCount();
        if (i % 2 == 0)
            QFile(extra).open(QIODevice::WriteOnly);
        else
            QFile::remove(extra);
        stalls.oneFileChanged.append(
            longestStallUntil([&] { return open.list().listCount() != before; }));
    }
    QFile::remove(extra);
    return stalls;
}

double measureIdleShare(const QString &folder, int seconds)
{
    OpenWindow open(folder);
    const auto idleFor = [](int ms) {
        QEventLoop loop;
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
    };
    // The first re-reads fill the caches; they are not counted.
    idleFor(2500);
    const double cpuBefore = processCpuSeconds();
    QElapsedTimer clock;
    clock.start();
    idleFor(seconds * 1000);
    return (processCpuSeconds() - cpuBefore) * 1000.0 / double(clock.elapsed()) * 100.0;
}

int runStartupChild(int argc, char **argv, const QString &folder)
{
    QApplication app(argc, argv);
    auto open = std::make_unique<OpenWindow>(folder);
    std::printf("shown\n");
    std::fflush(stdout);
    // Two re-reads of the timer, so that the peak covers the running program.
    QTimer::singleShot(2500, &app, &QCoreApplication::quit);
    app.exec();
    std::printf("peak %.1f\n", peakResidentMiB());
    return 0;
}

} // namespace namlex::bench

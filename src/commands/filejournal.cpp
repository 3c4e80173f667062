#include "commands/filejournal.h"

#include "commands/journalformat.h"
#include "platform/namecodec.h"
#include "platform/paths.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace namlex {

namespace {

const QString runSuffix = u".run"_s;

QStringList runFiles(const QDir &dir)
{
    QStringList files = dir.entryList({u"*"_s + runSuffix}, QDir::Files, QDir::Name);
    std::reverse(files.begin(), files.end()); // newest first
    return files;
}

} // namespace

FileJournal::FileJournal(const QString &folder)
    : folder_(folder)
{ }

FileJournal::~FileJournal()
{
    endRun();
}

void FileJournal::prepareRun(const QString &folder, const QList<JournalEntry> &planned)
{
    endRun();
    writing_ = std::async(std::launch::async,
                          [this, folder, planned] { return writePlan(folder, planned); });
}

bool FileJournal::beginRun()
{
    return writing_.valid() && writing_.get();
}

bool FileJournal::writePlan(const QString &folder, const QList<JournalEntry> &planned)
{
    if (!QDir().mkpath(folder_))
        return false;
    pruneOldRuns();
    const qint64 started = QDateTime::currentMSecsSinceEpoch();
    // The name sorts by time; the process number keeps two programs apart.
    file_.setFileName(QDir(folder_).filePath(u"%1-%2%3"_s.arg(started, 13, 10, QChar(u'0'))
                                                 .arg(QCoreApplication::applicationPid())
                                                 .arg(runSuffix)));
    if (!file_.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return false;
    runFolder_ = folder;
    plannedNames_.clear();
    renamedCount_ = 0;
    // About a hundred bytes a file.
    journalformat::LineWriter lines(128 * (planned.size() + 2));
    lines.text(journalformat::header()).end();
    lines.tag('R').number(started).name(folder).end();
    for (const JournalEntry &entry : planned) {
        lines.entry('P', entry);
        plannedNames_.insert(entry.index, entry.newName);
    }
    lines.tag('B').number(planned.size()).end();
    const QByteArray plan = lines.take();
    if (file_.write(plan) != plan.size() || !platform::flushToDisk(file_)
        || !platform::flushFolderToDisk(folder_)) {
        file_.close();
        file_.remove();
        return false;
    }
    return true;
}

void FileJournal::renamed(const JournalEntry &entry)
{
    if (!file_.isOpen())
        return;
    ++renamedCount_;
    if (plannedNames_.value(entry.index, QString()) == entry.newName && !entry.newName.isEmpty()) {
        outcomes_.tag('D').number(entry.index).end();
        writeOutcomes(false);
        return;
    }
    // Not the planned name, e.g. a choice changed while a box was open: the
    // file is recorded as it is now.
    JournalEntry now = entry;
    now.identity = platform::identityOf(platform::joinPath(runFolder_, entry.newName))
                       .value_or(platform::FileIdentity {});
    outcomes_.entry('U', now);
    writeOutcomes(false);
}

void FileJournal::failed(int index)
{
    if (file_.isOpen())
        outcomes_.tag('F').number(index).end();
    writeOutcomes(false);
}

void FileJournal::endRun()
{
    if (writing_.valid())
        writing_.get();
    if (!file_.isOpen())
        return;
    outcomes_.text("E").end();
    writeOutcomes(true);
    platform::flushToDisk(file_);
    file_.close();
    // A run that renamed nothing has nothing to undo.
    if (renamedCount_ == 0)
        file_.remove();
}

// The outcomes are gathered and written a few thousand at a time: a run
// appends one for each file it renames.
void FileJournal::writeOutcomes(bool all)
{
    if (all || outcomes_.size() >= 64 * 1024)
        file_.write(outcomes_.take());
}

std::optional<RecordedRun> FileJournal::latestRun()
{
    QDir dir(folder_);
    const QStringList files = runFiles(dir);
    if (files.isEmpty())
        return std::nullopt;
    QFile file(dir.filePath(files.first()));
    RecordedRun run;
    if (file.open(QIODevice::ReadOnly))
        run = journalformat::parse(file.readAll());
    else
        run.damaged = true;
    run.id = files.first();
    return run;
}

void FileJournal::retire(const RecordedRun &run)
{
    QDir dir(folder_);
    if (run.damaged) {
        // Kept aside for a look, but never offered again.
        QString aside = run.id;
        aside.chop(runSuffix.size());
        dir.rename(run.id, aside + u".damaged"_s);
    } else {
        dir.remove(run.id);
    }
}

void FileJournal::pruneOldRuns()
{
    QDir dir(folder_);
    const QStringList files = runFiles(dir);
    for (qsizetype i = keptRuns - 1; i < files.size(); ++i)
        dir.remove(files.at(i));
    QStringList damaged = dir.entryList({u"*.damaged"_s}, QDir::Files, QDir::Name);
    while (damaged.size() > keptRuns)
        dir.remove(damaged.takeFirst());
}

} // namespace namlex

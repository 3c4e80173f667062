#include "journal/filerunrecorder.h"

#include "journal/recordfolder.h"
#include "platform/filesystem.h"

#include <QDateTime>
#include <QFileInfo>

namespace namlex {

namespace {

// Renamed entries are gathered into one line each this many; a crash loses
// at most these, whose files an undo then finds by their identity.
constexpr int rangeLength = 1024;

platform::Problem writeProblem(const QFile &file)
{
    return {file.error() == QFileDevice::ResourceError ? platform::Cause::NoSpace
                                                       : platform::Cause::Other};
}

} // namespace

FileRunRecorder::FileRunRecorder(std::unique_ptr<QFile> record, platform::Problem problem,
                                 const RecordFolder &folder, const QString &runFolder,
                                 const QString &command, const QList<JournalEntry> &planned)
    : record_(std::move(record))
    , problem_(problem)
{
    if (!record_)
        return;
    // About a hundred bytes a file.
    journalformat::LineWriter lines(128 * (planned.size() + 2));
    lines.text(journalformat::header()).end();
    lines.tag('R')
        .number(QDateTime::currentMSecsSinceEpoch())
        .name(runFolder)
        .text(command.toLatin1())
        .end();
    for (const JournalEntry &entry : planned)
        lines.entry(entry);
    lines.tag('B').number(planned.size()).end();
    const QByteArray plan = lines.take();
    // Written now, so that a full disk is known before the question; only
    // the wait for the disk itself is left to the worker.
    if (record_->write(plan) != plan.size()) {
        problem_ = writeProblem(*record_);
        record_->remove();
        record_.reset();
        return;
    }
    const QString journalFolder = QFileInfo(record_->fileName()).absolutePath();
    onDisk_ = std::async(std::launch::async, [this, folder, journalFolder] {
        const bool flushed
            = platform::flushToDisk(*record_) && platform::flushFolderToDisk(journalFolder);
        folder.prune();
        return flushed;
    });
}

FileRunRecorder::~FileRunRecorder()
{
    if (onDisk_.valid())
        onDisk_.get();
    if (!record_)
        return;
    closeRange();
    outcomes_.text("E").end();
    write();
    platform::flushToDisk(*record_);
    record_->close();
    // A run that renamed nothing has nothing to undo.
    if (renamedCount_ == 0)
        record_->remove();
}

bool FileRunRecorder::begin()
{
    return onDisk_.valid() ? onDisk_.get() : record_ != nullptr;
}

void FileRunRecorder::replanned(const QList<JournalEntry> &entries)
{
    if (!record_)
        return;
    closeRange();
    for (const JournalEntry &entry : entries)
        outcomes_.entry(entry);
    write();
    platform::flushToDisk(*record_);
}

void FileRunRecorder::renamed(int index)
{
    if (!record_)
        return;
    ++renamedCount_;
    if (rangeFirst_ < 0)
        rangeFirst_ = index;
    rangeLast_ = index;
    if (renamedCount_ % rangeLength == 0) {
        closeRange();
        write();
    }
}

void FileRunRecorder::failed(int index)
{
    if (!record_)
        return;
    closeRange();
    outcomes_.tag('F').number(index).end();
    if (outcomes_.size() >= 64 * 1024)
        write();
}

void FileRunRecorder::closeRange()
{
    if (rangeFirst_ < 0)
        return;
    outcomes_.tag('D').number(rangeFirst_).number(rangeLast_).end();
    rangeFirst_ = rangeLast_ = -1;
}

void FileRunRecorder::write()
{
    record_->write(outcomes_.take());
}

} // namespace namlex

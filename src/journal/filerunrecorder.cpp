#include "journal/filerunrecorder.h"

#include "journal/recordfolder.h"
#include "platform/filesystem.h"

#include <QDateTime>
#include <QFileInfo>
#include <QStorageInfo>

namespace namlex {

namespace {

// Renamed entries are gathered into one line each this many; a crash loses
// at most these, whose files an undo then finds by their identity.
constexpr int rangeLength = 1024;

// Room left on the disk besides the record, for its outcomes and whatever
// else needs a little space.
constexpr qint64 spareBytes = 1024 * 1024;

platform::Problem writeProblem(const QFile &file)
{
    return {file.error() == QFileDevice::ResourceError ? platform::Cause::NoSpace
                                                       : platform::Cause::Other,
            std::nullopt, QFileInfo(file.fileName()).absolutePath()};
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
    for (const JournalEntry &entry : planned)
        planned_.insert(entry.index);
    // About a hundred bytes a file. A disk too full for them is known before
    // the question; the plan itself is written, and waited for, on a worker
    // thread while the user reads the question.
    const qint64 size = 128 * (planned.size() + 2);
    const QString journalFolder = QFileInfo(record_->fileName()).absolutePath();
    const QStorageInfo storage(journalFolder);
    if (storage.isValid() && storage.bytesAvailable() < size + spareBytes) {
        problem_ = {platform::Cause::NoSpace, std::nullopt, journalFolder};
        record_->remove();
        record_.reset();
        return;
    }
    onDisk_ = std::async(std::launch::async, [this, folder, journalFolder, runFolder, command,
                                              planned, size] {
        journalformat::LineWriter lines(size);
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
        const bool written = record_->write(plan) == plan.size() && platform::flushToDisk(*record_)
                             && platform::flushFolderToDisk(journalFolder);
        folder.prune();
        return written;
    });
}

bool FileRunRecorder::planOnDisk()
{
    if (!onDisk_.valid())
        return record_ != nullptr;
    if (onDisk_.get())
        return true;
    // A plan that did not reach the disk is no record to undo from.
    problem_ = writeProblem(*record_);
    record_->remove();
    record_.reset();
    return false;
}

FileRunRecorder::~FileRunRecorder()
{
    if (!planOnDisk())
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
    return planOnDisk();
}

void FileRunRecorder::replanned(const QList<JournalEntry> &entries)
{
    if (!record_)
        return;
    closeRange();
    for (const JournalEntry &entry : entries) {
        outcomes_.entry(entry);
        planned_.insert(entry.index);
    }
    write();
    platform::flushToDisk(*record_);
}

void FileRunRecorder::renamed(int index)
{
    if (!record_)
        return;
    ++renamedCount_;
    // A range holds no entry that was planned once but is not renamed, as
    // one that a new plan keeps as it is.
    if (rangeFirst_ >= 0 && *planned_.upper_bound(rangeLast_) != index)
        closeRange();
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

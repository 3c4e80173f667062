#include "journal/filerunrecorder.h"

#include "journal/recordfolder.h"
#include "platform/filesystem.h"

#include <QDateTime>
#include <QFileInfo>
#include <QStorageInfo>

#include <cerrno>

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
                                 const std::optional<platform::VolumePlace> &volume,
                                 const QString &command, const QList<JournalEntry> &planned)
    : record_(std::move(record))
    , problem_(problem)
    , folder_(&folder)
{
    if (!record_)
        return;
    path_ = record_->fileName();
    // About a hundred bytes a file. A disk too full for them is known before
    // the question; the plan itself is written, and waited for, on a worker
    // thread while the user reads the question.
    const qint64 size = 128 * (planned.size() + 2);
    const QString journalFolder = QFileInfo(record_->fileName()).absolutePath();
    const QStorageInfo storage(journalFolder);
    if (storage.isValid() && storage.bytesAvailable() < size + spareBytes) {
        problem_ = {platform::Cause::NoSpace, std::nullopt, journalFolder};
        removeRecord();
        return;
    }
    // The run's folder at once, so that another window can tell what the
    // question that is open is about.
    const QByteArray head
        = journalformat::LineWriter()
              .text(journalformat::header())
              .end()
              .run(QDateTime::currentMSecsSinceEpoch(), runFolder, volume, command)
              .take();
    const bool headWritten = record_->write(head) == head.size();
    onDisk_ = std::async(std::launch::async, [this, journalFolder, planned, size, headWritten] {
        journalformat::LineWriter lines(size);
        for (const JournalEntry &entry : planned)
            lines.entry(entry);
        lines.tag('B').number(planned.size()).end();
        const QByteArray plan = lines.take();
        const bool written = headWritten && record_->write(plan) == plan.size()
                             && platform::flushToDisk(*record_)
                             && platform::flushFolderToDisk(journalFolder);
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
    removeRecord();
    return false;
}

void FileRunRecorder::removeRecord()
{
    record_->close();
    QFile::remove(path_);
    record_.reset();
}

FileRunRecorder::~FileRunRecorder()
{
    if (!planOnDisk())
        return;
    closeRange();
    outcomes_.text("E").end();
    write();
    platform::flushToDisk(*record_);
    // A run that renamed nothing has nothing to undo.
    if (renamedCount_ == 0)
        removeRecord();
    else
        record_->close();
}

bool FileRunRecorder::begin()
{
    if (!planOnDisk())
        return false;
    // From here on, the record is that of a run.
    const QString started = folder_->start(path_);
    if (started.isEmpty()) {
        const int error = errno;
        problem_
            = {platform::causeOfError(error), std::nullopt, QFileInfo(path_).absolutePath(), error};
        removeRecord();
        return false;
    }
    path_ = started;
    folder_->prune();
    return true;
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

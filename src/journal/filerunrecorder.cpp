#include "journal/filerunrecorder.h"

#include "journal/recordfolder.h"
#include "platform/filesystem.h"

#include <QDateTime>
#include <QFileInfo>
#include <QStorageInfo>

#include <cerrno>
#include <utility>

namespace namlex {

namespace {

// Renamed entries are gathered into one line each this many; a crash loses
// at most these, whose files an undo then finds by their identity.
constexpr int rangeLength = 1024;

// Room left on the disk besides the record, for its outcomes and whatever
// else needs a little space.
constexpr qint64 spareBytes = 1024 * 1024;

// Outcome lines other than ranges are gathered up to this size before they
// are written.
constexpr qsizetype gatheredBytes = 64 * 1024;

// Writes `bytes` to the record and, `flush`, through to the disk; or why
// that failed, said of the folder of the records.
platform::Problem append(QFile &record, const QByteArray &bytes, bool flush)
{
    errno = 0;
    if (record.write(bytes) == bytes.size() && (!flush || platform::flushToDisk(record)))
        return {};
    // After a short write only errno tells why.
    const int error = errno;
    platform::Cause cause = platform::causeOfError(error);
    if (cause == platform::Cause::None)
        cause = record.error() == QFileDevice::ResourceError ? platform::Cause::NoSpace
                                                             : platform::Cause::Other;
    return {cause, std::nullopt, QFileInfo(record.fileName()).absolutePath(), error};
}

} // namespace

FileRunRecorder::FileRunRecorder(std::unique_ptr<platform::PlainFile> record,
                                 platform::Problem problem, const RecordFolder &folder,
                                 const QString &runFolder,
                                 const std::optional<platform::VolumePlace> &volume,
                                 const QString &command, const QList<JournalEntry> &planned)
    : record_(std::move(record))
    , problem_(problem)
    , folder_(&folder)
{
    if (!record_)
        return;
    path_ = record_->fileName();
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
    const platform::Problem headProblem = append(*record_, head, false);
    onDisk_ = std::async(std::launch::async, [this, journalFolder, planned, size, head,
                                              headProblem] {
        if (!headProblem.ok())
            return headProblem;
        journalformat::LineWriter lines(size);
        for (const JournalEntry &entry : planned)
            lines.entry(entry);
        lines.tag('B').number(planned.size()).end();
        markAt_ = head.size() + lines.size();
        lines.tag('L').number(0).end();
        const QByteArray plan = lines.take();
        platform::Problem problem = append(*record_, plan, true);
        if (problem.ok() && !platform::flushFolderToDisk(journalFolder))
            problem = {platform::Cause::Other, std::nullopt, journalFolder};
        written_ = head.size() + plan.size();
        return problem;
    });
}

bool FileRunRecorder::planOnDisk()
{
    if (!onDisk_.valid())
        return record_ != nullptr;
    problem_ = onDisk_.get();
    if (problem_.ok())
        return true;
    // A plan that did not reach the disk is no record to undo from.
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
    end();
}

platform::Problem FileRunRecorder::end()
{
    if (std::exchange(ended_, true) || !planOnDisk())
        return record_ ? lost_ : problem_;
    closeRange();
    outcomes_.text("E").end();
    if (write()) {
        if (const platform::Problem flushed = append(*record_, {}, true); !flushed.ok())
            lost_ = flushed;
    }
    if (!lost_.ok())
        markIncomplete();
    // A run that renamed nothing has nothing to undo.
    if (renamedCount_ == 0) {
        removeRecord();
        return {};
    }
    record_->close();
    return lost_;
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
    for (const JournalEntry &entry : entries) {
        outcomes_.entry(entry);
        planned_.insert(entry.index);
    }
    if (write())
        platform::flushToDisk(*record_);
}

void FileRunRecorder::renamed(int index)
{
    if (!record_)
        return;
    ++renamedCount_;
    // A range holds no entry that was planned once but is not renamed, as
    // one that a new plan keeps as it is.
    if (const auto next = planned_.upper_bound(rangeLast_);
        rangeFirst_ >= 0 && (next == planned_.end() || *next != index))
        closeRange();
    if (rangeFirst_ < 0)
        rangeFirst_ = index;
    rangeLast_ = index;
    if (renamedCount_ % rangeLength == 0) {
        closeRange();
        write();
    }
}

void FileRunRecorder::renamedAs(int index, const platform::FileIdentity &now)
{
    if (!record_)
        return;
    // Beside the range of renamed entries, which it leaves open: only the
    // file systems that number their files afresh at each mount need it.
    outcomes_.tag('M').number(index).number(now.size).number(now.modifiedNs).end();
    if (outcomes_.size() >= gatheredBytes)
        write();
}

void FileRunRecorder::failed(int index)
{
    if (!record_)
        return;
    closeRange();
    outcomes_.tag('F').number(index).end();
    if (outcomes_.size() >= gatheredBytes)
        write();
}

void FileRunRecorder::closeRange()
{
    if (rangeFirst_ < 0)
        return;
    outcomes_.tag('D').number(rangeFirst_).number(rangeLast_).end();
    rangeFirst_ = rangeLast_ = -1;
}

bool FileRunRecorder::write()
{
    waiting_ += outcomes_.take();
    const platform::Problem problem = append(*record_, waiting_, false);
    if (problem.ok()) {
        written_ += waiting_.size();
        waiting_.clear();
        lost_ = {};
        return true;
    }
    if (lost_.ok())
        lost_ = problem;
    // A part that did get written goes: a line cut short with others after
    // it would make the whole record unreadable.
    record_->resize(written_);
    record_->seek(written_);
    return false;
}

void FileRunRecorder::markIncomplete()
{
    const QByteArray mark = journalformat::LineWriter().tag('L').number(1).end().take();
    if (record_->seek(markAt_) && record_->write(mark) == mark.size())
        platform::flushToDisk(*record_);
}

} // namespace namlex

#include "journal/filejournal.h"

#include "journal/filerunrecorder.h"
#include "journal/journalformat.h"
#include "platform/filesystem.h"

namespace namlex {

namespace {

class FileUndoableRun : public UndoableRun
{
public:
    FileUndoableRun(const RecordFolder &folder, std::unique_ptr<QFile> record, RecordedRun run,
                    bool busy, qint64 wholeLines)
        : folder_(folder)
        , record_(std::move(record))
        , run_(std::move(run))
        , busy_(busy)
        , wholeLines_(wholeLines)
    { }
    ~FileUndoableRun() override
    {
        if (record_->isOpen()) {
            append();
            platform::flushToDisk(*record_);
        }
    }

    const RecordedRun &run() const override { return run_; }
    bool busy() const override { return busy_; }
    void settle(int index) override
    {
        settled_.tag('S').number(index).end();
        if (settled_.size() >= 64 * 1024)
            append();
    }
    void retire() override
    {
        record_->close();
        if (run_.damaged)
            folder_.setAside(run_.id);
        else
            record_->remove();
    }

private:
    void append()
    {
        if (settled_.size() == 0)
            return;
        // A last line that a crash cut short would run into the first line
        // appended, and the record would no longer be trusted.
        if (record_->size() > wholeLines_) {
            record_->resize(wholeLines_);
            record_->seek(wholeLines_);
        }
        record_->write(settled_.take());
        wholeLines_ = record_->size();
    }

    RecordFolder folder_;
    std::unique_ptr<QFile> record_;
    RecordedRun run_;
    bool busy_;
    qint64 wholeLines_; // the length of the record up to its last line end
    journalformat::LineWriter settled_;
};

} // namespace

FileJournal::FileJournal(const QString &folder)
    : records_(folder)
{ }

std::unique_ptr<RunRecorder> FileJournal::recordRun(const QString &folder, const QString &command,
                                                    const QList<JournalEntry> &planned)
{
    auto created = records_.createRecord();
    if (auto *problem = std::get_if<platform::Problem>(&created))
        return std::make_unique<FileRunRecorder>(nullptr, *problem, records_, folder, command,
                                                 planned);
    return std::make_unique<FileRunRecorder>(std::move(std::get<0>(created)), platform::Problem {},
                                             records_, folder, command, planned);
}

std::unique_ptr<UndoableRun> FileJournal::latestRun()
{
    for (const QString &name : records_.records()) {
        auto record = std::make_unique<QFile>(records_.filePath(name));
        if (!record->open(QIODevice::ReadWrite | QIODevice::Unbuffered)
            && !record->open(QIODevice::ReadOnly))
            continue;
        const bool busy = !platform::tryLock(*record);
        const QByteArray content = record->readAll();
        RecordedRun run = journalformat::parse(content);
        run.id = name;
        // A run that is over and left nothing to undo goes, and the one
        // before it is offered.
        if (!busy && !run.damaged && run.entriesLeftToUndo() == 0) {
            record->remove();
            continue;
        }
        if (busy)
            record->close();
        return std::make_unique<FileUndoableRun>(records_, std::move(record), std::move(run), busy,
                                                 content.lastIndexOf('\n') + 1);
    }
    return nullptr;
}

} // namespace namlex

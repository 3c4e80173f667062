#include "journal/filejournal.h"

#include "journal/filerunrecorder.h"
#include "journal/journalformat.h"
#include "platform/filesystem.h"

namespace namlex {

namespace {

class FileUndoableRun : public UndoableRun
{
public:
    FileUndoableRun(const RecordFolder &folder, std::unique_ptr<platform::PlainFile> record,
                    RecordedRun run, bool busy, bool questionOpenHere)
        : folder_(folder)
        , record_(std::move(record))
        , run_(std::move(run))
        , busy_(busy)
        , questionOpenHere_(questionOpenHere)
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
    bool questionOpenHere() const override { return questionOpenHere_; }
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
        if (settled_.size() > 0)
            record_->write(settled_.take());
    }

    RecordFolder folder_;
    std::unique_ptr<platform::PlainFile> record_;
    RecordedRun run_;
    bool busy_;
    bool questionOpenHere_;
    journalformat::LineWriter settled_;
};

} // namespace

FileJournal::FileJournal(const QString &folder)
    : records_(folder)
{ }

std::unique_ptr<RunRecorder> FileJournal::recordRun(
    const QString &folder, const std::optional<platform::VolumePlace> &volume,
    const QString &command, const QList<JournalEntry> &planned)
{
    auto created = records_.createRecord();
    if (auto *problem = std::get_if<platform::Problem>(&created))
        return std::make_unique<FileRunRecorder>(nullptr, *problem, records_, folder, volume,
                                                 command, planned);
    return std::make_unique<FileRunRecorder>(std::move(std::get<0>(created)), platform::Problem {},
                                             records_, folder, volume, command, planned);
}

QStringList FileJournal::foldersWaiting()
{
    QStringList folders;
    for (const QString &name : records_.waitingRecords()) {
        const std::unique_ptr<platform::PlainFile> record = records_.openRecord(name);
        if (!record)
            continue;
        const bool waiting = !platform::tryLock(*record);
        if (waiting) {
            // The plan may not be written yet; then the folder is not known.
            const QByteArray head = record->read(64 * 1024);
            const QString folder = journalformat::parse(head).folder;
            if (!folder.isEmpty())
                folders.append(folder);
        } else if (!journalformat::parse(record->readAll()).damaged) {
            // Its program ended before the question was answered: it never
            // renamed anything. One that is not whole may be being made.
            record->remove();
        }
    }
    return folders;
}

std::unique_ptr<UndoableRun> FileJournal::latestRun()
{
    // Records in a folder that others could write to may have been planted.
    if (!records_.trust().ok())
        return nullptr;
    for (const QString &name : records_.records()) {
        std::unique_ptr<platform::PlainFile> record = records_.openRecord(name);
        if (!record)
            continue;
        const bool busy = !platform::tryLock(*record);
        const QByteArray content = record->readAll();
        RecordedRun run = journalformat::parse(content);
        run.id = name;
        // A last line cut short, by a crash or a full disk, would run into
        // the lines this undo adds and make the record unreadable.
        if (const qsizetype whole = content.lastIndexOf('\n') + 1;
            !busy && whole < content.size() && record->isWritable())
            record->resize(whole);
        // A run that is over and left nothing to undo goes, and the one
        // before it is offered.
        if (!busy && !run.damaged && run.entriesLeftToUndo() == 0) {
            record->remove();
            continue;
        }
        if (busy)
            record->close();
        const bool questionOpenHere = foldersWaiting().contains(run.folder);
        return std::make_unique<FileUndoableRun>(records_, std::move(record), std::move(run), busy,
                                                 questionOpenHere);
    }
    return nullptr;
}

} // namespace namlex

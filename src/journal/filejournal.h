#pragma once

#include "journal/journal.h"
#include "journal/recordfolder.h"

namespace namlex {

// Keeps each run in a file of its own in one folder, the per-user data
// folder, and the newest 50 of them; see FileRunRecorder for what a record
// holds. A run holds its record locked while it goes, and an undo while it
// undoes it, so that no second window undoes a run that is not over.
class FileJournal : public Journal
{
public:
    explicit FileJournal(const QString &folder);

    std::unique_ptr<RunRecorder> recordRun(const QString &folder,
                                           const std::optional<platform::VolumePlace> &volume,
                                           const QString &command,
                                           const QList<JournalEntry> &planned) override;
    std::unique_ptr<UndoableRun> latestRun() override;

private:
    // The folders of the runs whose question is open in another window; a
    // record left waiting by a program that ended is removed, as nothing of
    // it was renamed.
    QStringList foldersWaiting();
    RecordFolder records_;
};

} // namespace namlex

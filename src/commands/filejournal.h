#pragma once

#include "commands/journal.h"
#include "commands/journalformat.h"

#include <QFile>
#include <QHash>

#include <future>

namespace namlex {

// Keeps each run in a file of its own in one folder (the per-user data
// folder), line by line, each line with a checksum:
//   NAMLEX-UNDO 1                               the format's version
//   R <started ms> <folder>                     the run
//   P <index> <old> <new> <identity>            one line per planned rename
//   B <count>                                   the plan is complete
//   D <index> | F <index>                       renamed as planned, or failed
//   U <index> <old> <new> <identity>            renamed otherwise
//   E                                           the run is over
// Names are hexadecimal bytes. The plan reaches the disk before the first
// rename, written on a worker thread while the user reads the question;
// what happens is appended as the run goes. After a crash the record simply
// stops, maybe within a line.
class FileJournal : public Journal
{
public:
    // How many runs are kept to be undone.
    static constexpr int keptRuns = 50;

    explicit FileJournal(const QString &folder);
    ~FileJournal() override;
    FileJournal(const FileJournal &) = delete;
    FileJournal &operator=(const FileJournal &) = delete;

    void prepareRun(const QString &folder, const QList<JournalEntry> &planned) override;
    bool beginRun() override;
    void renamed(const JournalEntry &entry) override;
    void failed(int index) override;
    void endRun() override;

    std::optional<RecordedRun> latestRun() override;
    void retire(const RecordedRun &run) override;

private:
    // On a worker thread, until beginRun() or endRun() waits for it.
    bool writePlan(const QString &folder, const QList<JournalEntry> &planned);
    void writeOutcomes(bool all);
    void pruneOldRuns();

    QString folder_;
    QFile file_;
    QString runFolder_;
    QHash<int, QString> plannedNames_;
    int renamedCount_ = 0;
    std::future<bool> writing_;
    journalformat::LineWriter outcomes_;
};

} // namespace namlex

#pragma once

#include "commands/journal.h"

#include <QFile>
#include <QHash>

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
// rename; what happens is appended as the run goes. After a crash the
// record simply stops, maybe within a line.
class FileJournal : public Journal
{
public:
    // How many runs are kept to be undone.
    static constexpr int keptRuns = 50;

    explicit FileJournal(const QString &folder);

    bool beginRun(const QString &folder, const QList<JournalEntry> &planned) override;
    void renamed(const JournalEntry &entry) override;
    void failed(int index) override;
    void endRun() override;

    std::optional<RecordedRun> latestRun() override;
    void retire(const RecordedRun &run) override;

private:
    void append(const QByteArray &line);
    void pruneOldRuns();

    QString folder_;
    QFile file_;
    QString runFolder_;
    QHash<int, QString> plannedNames_;
    int renamedCount_ = 0;
};

} // namespace namlex

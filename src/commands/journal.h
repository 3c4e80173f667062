#pragma once

#include "platform/filesystem.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

namespace namlex {

// One file a run is about to rename, as the undo must find it again.
struct JournalEntry
{
    int index = 0; // the entry's place in the run's list
    QString oldName;
    QString newName;
    platform::FileIdentity identity; // of the file under its old name
    bool operator==(const JournalEntry &) const = default;
};

// A recorded run, as far as its record can be read back.
struct RecordedRun
{
    enum class Outcome { Renamed, Failed, Unknown };
    struct Entry
    {
        JournalEntry file;
        Outcome outcome = Outcome::Unknown; // Unknown: the record ends before it
    };
    QString id;
    QDateTime started;
    QString folder;
    QList<Entry> entries; // in the order the run renamed them
    bool finished = false; // false: the run was cut short, by a crash say
    // The record cannot be trusted: unreadable, cut off within the plan,
    // garbled, or of an unknown version. Nothing of it is undone.
    bool damaged = false;
};

// Where rename runs are recorded, so that they can be undone even after the
// program was closed or crashed.
class Journal
{
public:
    virtual ~Journal() = default;

    // Called with every file a run plans to rename, before its question: the
    // plan may reach the disk while the user reads it.
    virtual void prepareRun(const QString &folder, const QList<JournalEntry> &planned) = 0;
    // Called before the run's first rename; the plan is on disk when this
    // returns true. False: the run cannot be recorded and so not be undone.
    virtual bool beginRun() = 0;
    // What became of one entry of the run. A rename other than the planned
    // one is recorded with the identity the file has now.
    virtual void renamed(const JournalEntry &entry) = 0;
    virtual void failed(int index) = 0;
    // The run is over, or was never begun; its record is flushed to disk. A
    // run that renamed nothing leaves no record.
    virtual void endRun() = 0;

    // The newest run that has not been undone.
    virtual std::optional<RecordedRun> latestRun() = 0;
    // Takes a run off the list of runs to undo: it was undone, or its
    // record cannot be trusted.
    virtual void retire(const RecordedRun &run) = 0;
};

} // namespace namlex

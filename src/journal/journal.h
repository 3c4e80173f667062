#pragma once

#include "platform/filesystem.h"
#include "platform/problem.h"
#include "platform/volumeplace.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <algorithm>
#include <memory>

namespace namlex {

// One file a run renames, as an undo must find it again.
struct JournalEntry
{
    int index = 0; // the entry's place in the run's list
    QString oldName;
    QString newName;
    platform::FileIdentity identity; // of the file, taken when the run planned it
    // The file's size and time of change as its rename left them, where the
    // rename changed them, as FAT through FUSE does when it rewrites a long
    // name; empty: as planned.
    std::optional<platform::FileIdentity> renamedAs = std::nullopt;
    bool operator==(const JournalEntry &) const = default;

    // The file as it should be found under its new name.
    const platform::FileIdentity &underNewName() const { return renamedAs ? *renamedAs : identity; }
};

// A recorded run, as far as its record can be read back.
struct RecordedRun
{
    enum class Outcome {
        Unknown, // the record ends before it, as after a crash
        Renamed,
        Failed,
        Settled, // an undo renamed it back, or found it under its old name
    };
    struct Entry
    {
        JournalEntry file;
        Outcome outcome = Outcome::Unknown;
    };
    QString id;
    QDateTime started;
    QString folder;
    // Where the folder lies on its volume, so that an undo finds it again
    // after the volume was mounted anew; empty: not recorded.
    std::optional<platform::VolumePlace> volume;
    // The record's format, which says what the entries' identities hold:
    // 1 size and time of change but no time of birth, 2 the time of birth
    // but no size and time, 3 all of them.
    int version = 0;
    QString command; // the rename command that made the run; empty: not recorded
    QList<Entry> entries; // in the order the run went
    bool finished = false; // false: the run was cut short, by a crash say
    // The run went on after its record could take no more, on a full disk
    // say: the record ends before the run did, and is not finished.
    bool incomplete = false;
    // The record cannot be trusted: unreadable, cut off within the plan,
    // garbled, naming a file outside its folder, or of an unknown version.
    // Nothing of it is undone.
    bool damaged = false;

    // Whether an undo may still have to rename the entry back: the run
    // renamed it, or, cut short, its record does not reach it.
    bool leftToUndo(const Entry &entry) const
    {
        return entry.outcome == Outcome::Renamed
               || (entry.outcome == Outcome::Unknown && !finished);
    }
    int entriesLeftToUndo() const
    {
        return int(std::count_if(entries.begin(), entries.end(),
                                 [this](const Entry &entry) { return leftToUndo(entry); }));
    }
};

// Records one run, from its plan to its end; the record ends when this is
// destroyed, however the run ends.
class RunRecorder
{
public:
    virtual ~RunRecorder() = default;
    // Why the run cannot be recorded, and so not be undone; ok(): it is
    // being recorded.
    virtual platform::Problem problem() const = 0;
    // Before the first rename, once the question was answered with Yes:
    // true once the plan is safely on disk.
    virtual bool begin() = 0;
    // Entries planned anew while the run was under way; on disk when this
    // returns, before any of them is renamed.
    virtual void replanned(const QList<JournalEntry> &entries) = 0;
    virtual void renamed(int index) = 0;
    // The rename of a renamed entry left the file with another size or time
    // of change than planned (`now`): an undo recognises it by these. In the
    // record before end() returns.
    virtual void renamedAs(int index, const platform::FileIdentity &now) = 0;
    virtual void failed(int index) = 0;
    // Ends the record, as destroying the recorder does. ok(): all that the
    // run did is in the record; otherwise why part of it is missing, so
    // that an undo has to look for every planned file that is left.
    virtual platform::Problem end() = 0;
};

// The newest run that has not been undone, held by this window for as long
// as this object lives, so that no other window undoes it meanwhile.
class UndoableRun
{
public:
    virtual ~UndoableRun() = default;
    virtual const RecordedRun &run() const = 0;
    // The run is still going, in another window or program: it cannot be
    // undone now, and nothing of it is held.
    virtual bool busy() const = 0;
    // Another window's question about a run in this run's folder is still
    // open: an undo now changes the folder that question showed.
    virtual bool questionOpenHere() const = 0;
    // This entry needs no undo any more.
    virtual void settle(int index) = 0;
    // Takes the run off the list of runs to undo: every entry is settled,
    // or its record cannot be trusted.
    virtual void retire() = 0;
};

// Where rename runs are recorded, so that they can be undone even after the
// program was closed or crashed.
class Journal
{
public:
    virtual ~Journal() = default;
    // Starts the record of a run of `command` (a short word, such as
    // "both") that plans to rename `planned` in `folder`, which lies at
    // `volume`. The record is made, and the room for it checked, before this
    // returns, so that a data folder that is full, read-only or missing is
    // known before the question; the plan is written meanwhile, and
    // RunRecorder::begin() waits for it. Until begin(), the run waits for its
    // question: it is no run another window must wait for.
    virtual std::unique_ptr<RunRecorder> recordRun(
        const QString &folder, const std::optional<platform::VolumePlace> &volume,
        const QString &command, const QList<JournalEntry> &planned)
        = 0;
    // The newest run with entries left to undo; null when there is none.
    virtual std::unique_ptr<UndoableRun> latestRun() = 0;
};

} // namespace namlex

#pragma once

#include "platform/plainfile.h"
#include "platform/problem.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <variant>

namespace namlex {

// The folder that keeps one record file per run, readable by the user
// alone: the records hold the user's folder and file names. Runs are
// ordered by a sequence number that never repeats and never goes back, kept
// in the file "sequence" and in the records' own names, so that a clock set
// back or two runs within a moment keep their order.
class RecordFolder
{
public:
    // How many runs are kept to be undone.
    static constexpr int keptRuns = 50;

    explicit RecordFolder(const QString &path);

    // A new, empty record file for the next run, created for this user
    // alone and locked for this program; or why there can be none. The
    // folder is made for the user alone where it is missing, and used only
    // when it can be trusted (see makePrivateFolder). The record waits for
    // the run's question, and is no record of a run until start().
    std::variant<std::unique_ptr<platform::PlainFile>, platform::Problem> createRecord() const;
    // Makes the waiting record at `path` the record of a run, once its
    // question was answered with Yes; its new path, or empty on failure.
    QString start(const QString &path) const;
    // Why the folder is not to be used as it is; ok(): it may be.
    platform::Problem trust() const;
    // The names of the records of runs, newest first; links are left out.
    QStringList records() const;
    // The names of the records whose question is open, or was when its
    // program ended.
    QStringList waitingRecords() const;
    // Opens a record for reading and, where it can be, writing; null when
    // it cannot be opened or is no plain file.
    std::unique_ptr<platform::PlainFile> openRecord(const QString &record) const;
    QString filePath(const QString &record) const;
    // Keeps a record that cannot be trusted aside for a look; it is never
    // offered again.
    void setAside(const QString &record) const;
    // Removes all but the newest `keptRuns` records, and all but as many
    // records set aside; a record another program holds is left alone.
    void prune() const;

private:
    qint64 lastSequence() const;
    QString path_;
};

} // namespace namlex

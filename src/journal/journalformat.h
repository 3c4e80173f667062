#pragma once

#include "journal/journal.h"

#include <QByteArray>

// The lines of a run's record (see FileJournal), written and read back.
namespace namlex::journalformat {

// Builds lines: each field separated by a blank, and every line ended by
// its checksum. Runs of tens of thousands of files are written before their
// first rename, so this avoids an allocation per field.
class LineWriter
{
public:
    explicit LineWriter(qsizetype reserve = 0);
    LineWriter &tag(char tag);
    LineWriter &number(qint64 value);
    LineWriter &name(const QString &name); // its bytes, in hexadecimal
    LineWriter &text(const QByteArray &text);
    // Ends the line with its checksum.
    LineWriter &end();
    // "P" with the entry's index, names and identity.
    LineWriter &entry(const JournalEntry &entry);
    // "R" with the run's start, folder and command, and "V" with the
    // folder's place on its volume where it is known.
    LineWriter &run(qint64 startedMs, const QString &folder,
                    const std::optional<platform::VolumePlace> &volume, const QString &command);
    // The lines so far, leaving the writer empty.
    QByteArray take();
    qsizetype size() const { return out_.size(); }

private:
    void separate();
    QByteArray out_;
    qsizetype lineStart_ = 0;
};

QByteArray header();
// The content with its checksum and the line end.
QByteArray line(const QByteArray &content);

// A record read back. It is damaged unless its version is known, its plan
// is complete, every whole line carries its checksum, its folder is an
// absolute path and every name a plain name in it; a last line cut off by a
// crash is no damage. Records of the format's earlier versions are read too.
RecordedRun parse(const QByteArray &record);

} // namespace namlex::journalformat

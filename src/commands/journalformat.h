#pragma once

#include "commands/journal.h"

#include <QByteArray>

// The lines of a run's record (see FileJournal), written and read back.
namespace namlex::journalformat {

QByteArray header();
QByteArray runLine(qint64 startedMs, const QString &folder);
// "P" or "U" with the entry's index, names and identity.
QByteArray entryLine(char tag, const JournalEntry &entry);
// The content with its checksum and the line end.
QByteArray line(const QByteArray &content);

// A record read back. It is damaged unless its version is known, its plan
// is complete and every whole line carries its checksum; a last line cut
// off by a crash is no damage.
RecordedRun parse(const QByteArray &record);

} // namespace namlex::journalformat

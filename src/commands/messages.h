#pragma once

#include "commands/prompter.h"

#include <QString>

namespace namlex::messages {

Message noFilesInFolder();
Message noFilesShown();
Message numberingFailed(const QString &name);
Message renameFailed(const QString &oldName);

// Counts of one finished run. "failed" entries are neither renamed nor
// unchanged: their files keep the old name.
struct Tally
{
    int visited = 0;
    int unchanged = 0;
    int failed = 0;
    int numberingRemoved = 0; // renamed entries whose numbering was removed
    int underscoresReplaced = 0; // renamed entries whose underscores were replaced

    int renamed() const { return visited - unchanged - failed; }
};

Message bothSummary(const Tally &tally);
Message singleSummary(const Tally &tally);

} // namespace namlex::messages

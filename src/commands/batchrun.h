#pragma once

#include "commands/commandcontext.h"
#include "commands/messages.h"

#include <functional>
#include <optional>

namespace namlex {

// The new name of one entry and which transform changed it.
struct NewName
{
    QString name;
    bool numberingRemoved = false;
    bool underscoresReplaced = false;
    // The numbering removal failed and kept the name; the run reports it.
    bool numberingFailed = false;
};

// What sets one rename command apart from the others.
struct BatchRunKind
{
    Message confirmationAllFiles;
    Message confirmationMusicOnly;
    // Empty optional: computing the name failed; the entry counts as a failed
    // rename. Shows nothing, so that the plan can ask it too.
    std::function<std::optional<NewName>(const QString &oldName, bool onlyWithLeadingZero)> newName;
    std::function<Message(const messages::Tally &)> summary;
};

// Work out the plan, show it with the confirmation, rename every listed file
// whose name changes, recording the run for undo, then report.
void runBatch(const CommandContext &context, const BatchRunKind &kind);

} // namespace namlex

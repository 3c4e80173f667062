#pragma once

#include "commands/commandcontext.h"
#include "texts/messages.h"
#include "commands/runplan.h"

namespace namlex {

// What sets one rename command apart from the others.
struct BatchRunKind
{
    QString command; // as the record names it: "both", "numbers" or "underscores"
    Message confirmationAllFiles;
    Message confirmationMusicOnly;
    NewNameFunction newName;
    std::function<Message(const messages::Tally &)> summary;
};

// Works out the plan, shows it with the confirmation, records it for undo,
// carries it out entry by entry, then reports.
void runBatch(const CommandContext &context, const BatchRunKind &kind);

} // namespace namlex

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
};

// What sets one rename command apart from the others.
struct BatchRunKind
{
    Message confirmationAllFiles;
    Message confirmationMusicOnly;
    // Empty optional: computing the name failed; the entry counts as a failed rename.
    std::function<std::optional<NewName>(const CommandContext &, const QString &oldName)> newName;
    std::function<Message(const messages::Tally &)> summary;
};

// Confirm, rename every listed file whose name changes, then report.
void runBatch(const CommandContext &context, const BatchRunKind &kind);

} // namespace namlex

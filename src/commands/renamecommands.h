#pragma once

#include "commands/commandcontext.h"

namespace namlex {

// "+ Beides tun +": numbering removal, then underscore replacement.
void runBothCommand(const CommandContext &context);
// "1. Zahlen löschen"
void runNumbersCommand(const CommandContext &context);
// "2. Unterstriche entfernen"
void runUnderscoresCommand(const CommandContext &context);

} // namespace namlex

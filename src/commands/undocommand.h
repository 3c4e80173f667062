#pragma once

#include "commands/commandcontext.h"

namespace namlex {

// Ctrl+Z: after a confirmation, renames the files of the newest recorded
// run back to their old names, newest first, and takes the run off the
// record. A file is renamed back only when it is provably the file that the
// run renamed: under the name the run gave it, with the identity recorded
// for it.
void runUndoCommand(const CommandContext &context);

} // namespace namlex

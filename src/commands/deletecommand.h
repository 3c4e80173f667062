#pragma once

#include "commands/commandcontext.h"

namespace namlex {

// Delete in the file list: after a confirmation, deletes the selected file
// for good and moves the selection one entry up.
void runDeleteCommand(const CommandContext &context);

} // namespace namlex

#pragma once

#include "commands/commandcontext.h"

namespace namlex {

// Ctrl+Z: after a confirmation that shows what it will do, renames the
// files of the newest recorded run back to their old names, newest first. A
// file is renamed back only when it is provably the file that the run
// renamed: under the name the run gave it, proven or recognised by what was
// recorded of it. A file that may have been saved anew since is renamed
// back only when the user ticks the question's check box. Nothing is ever
// deleted. The run stays to be undone while any of its files could still be
// renamed back later.
void runUndoCommand(const CommandContext &context);

// What Ctrl+Z would undo now, for a menu to name: the command of the newest
// run and how many of its files its question would rename back. Empty:
// there is nothing to undo.
struct UndoOffer
{
    QString command;
    int files = 0;
};
std::optional<UndoOffer> undoOffer(Journal &journal, FileSystem &files);

} // namespace namlex

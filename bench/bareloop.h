#pragma once

#include <QString>

namespace namlex::bench {

// The floor for the both command: readdir, the same two transforms, and
// renameat2(RENAME_NOREPLACE), with nothing else around them. The files are
// renamed in the order readdir gives, or, with `inListOrder`, in the natural
// order of the window's list. Returns the number of files renamed.
int runBareLoop(const QString &folder, bool inListOrder);

} // namespace namlex::bench

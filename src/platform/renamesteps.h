#pragma once

#include "platform/problem.h"

#include <functional>

namespace namlex::platform {

// The system calls a rename without replacing is built from, on names in one
// open folder. Each returns 0 on success or the errno value of its failure,
// so that tests can put in calls that refuse the way a given file system
// does.
struct RenameCalls
{
    std::function<int(const char *from, const char *to)> renameNoReplace; // renameat2
    std::function<int(const char *from, const char *to)> link;
    std::function<int(const char *name)> unlink;
    // Creates an empty file, failing with EEXIST on any existing entry.
    std::function<int(const char *name)> createExclusive;
    std::function<int(const char *from, const char *to)> rename; // replaces silently
};

// The calls of the running system, on names in the folder `folderFd` is open
// on (AT_FDCWD: relative to the working folder).
RenameCalls systemRenameCalls(int folderFd);

// Renames without replacing an existing target, and returns 0 or the errno
// value of the step that failed last: renameat2 with
// RENAME_NOREPLACE; where the file system refuses the flag, link and unlink;
// where it refuses hard links too, an exclusively created placeholder under
// the new name and a plain rename over it.
int renameInSteps(const char *from, const char *to, const RenameCalls &calls);

} // namespace namlex::platform

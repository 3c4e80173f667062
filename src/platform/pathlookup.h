#pragma once

#include "platform/filesystem.h"

#include <QString>

namespace namlex::platform {

// What a look at a path found: what stands there, or why that cannot be
// told. "Nothing there" is only one of the answers; a path may also be too
// long to look at, or lie behind a folder that may not be searched.
struct PathLookup
{
    enum class Outcome {
        Found, // see kind
        Missing, // nothing stands there
        TooLong, // longer than the system allows, as a whole or in one name
        NoPermission, // a folder on the way may not be searched
        Failed, // see systemError
    };
    Outcome outcome = Outcome::Missing;
    EntryKind kind = EntryKind::Other; // Found: links followed
    int systemError = 0; // Failed: the system's error number
};

PathLookup lookUpPath(const QString &path);

} // namespace namlex::platform

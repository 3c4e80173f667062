#pragma once

#include "platform/filesystem.h"
#include "platform/problem.h"

namespace namlex::platform {

// An entry as the plan of a rename looks at it: which it is, and whether
// something of the entry itself keeps the user from renaming it.
struct EntryState
{
    FileIdentity identity;
    // FileProtected or OwnedByOther; None where nothing of the entry does.
    Cause protection = Cause::None;
};

} // namespace namlex::platform

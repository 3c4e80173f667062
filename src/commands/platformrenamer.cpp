#include "commands/platformrenamer.h"

#include "platform/filesystem.h"

namespace namlex {

bool PlatformRenamer::rename(const QString &fromPath, const QString &toPath)
{
    return platform::renameNoReplace(fromPath, toPath);
}

} // namespace namlex

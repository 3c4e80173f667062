#include "commands/platformfiles.h"

#include "platform/filesystem.h"

namespace namlex {

bool PlatformRenamer::rename(const QString &fromPath, const QString &toPath)
{
    return platform::renameNoReplace(fromPath, toPath);
}

bool PlatformDeleter::deleteFile(const QString &path)
{
    return platform::deleteFile(path);
}

} // namespace namlex

#include "commands/platformfiles.h"

#include "platform/filesystem.h"
#include "platform/folderlisting.h"

namespace namlex {

platform::RenameResult PlatformRenamer::rename(const QString &fromPath, const QString &toPath)
{
    return platform::renameNoReplace(fromPath, toPath);
}

bool PlatformDeleter::deleteFile(const QString &path)
{
    return platform::deleteFile(path);
}

std::optional<QStringList> PlatformInspector::entryNames(const QString &folder) const
{
    return platform::listEntries(folder);
}

int PlatformInspector::maxNameBytes(const QString &folder) const
{
    return platform::maxNameBytes(folder);
}

std::optional<platform::FileIdentity> PlatformInspector::identityOf(const QString &path) const
{
    return platform::identityOf(path);
}

} // namespace namlex

#include "window/systemvolumes.h"

#include "platform/folderlisting.h"

#include <QStorageInfo>

namespace namlex {

QList<platform::Volume> SystemVolumes::volumes() const
{
    return platform::mountedVolumes();
}

bool SystemVolumes::isReady(const platform::Volume &volume) const
{
    // A mount point can be ready for the system and still refuse to be read,
    // e.g. an automounter whose medium is gone.
    return QStorageInfo(volume.rootPath).isReady() && platform::canListFolder(volume.rootPath);
}

} // namespace namlex

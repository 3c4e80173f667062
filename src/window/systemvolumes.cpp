#include "window/systemvolumes.h"

namespace namlex {

QList<platform::Volume> SystemVolumes::volumes() const
{
    return platform::mountedVolumes();
}

bool SystemVolumes::isReady(const platform::Volume &volume) const
{
    return platform::isVolumeReady(volume);
}

} // namespace namlex

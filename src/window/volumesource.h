#pragma once

#include "platform/volumes.h"

#include <QList>

namespace namlex {

// Where the drive selector gets its volumes from. Reading them can block on a
// dead network mount, so the selector asks only at a few chosen moments.
class VolumeSource
{
public:
    virtual ~VolumeSource() = default;
    virtual QList<platform::Volume> volumes() const = 0;
    // Whether the volume has a medium and its root can be listed.
    virtual bool isReady(const platform::Volume &volume) const = 0;
};

} // namespace namlex

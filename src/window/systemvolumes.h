#pragma once

#include "window/volumesource.h"

namespace namlex {

// The volumes mounted on this machine.
class SystemVolumes : public VolumeSource
{
public:
    QList<platform::Volume> volumes() const override;
    bool isReady(const platform::Volume &volume) const override;
};

} // namespace namlex

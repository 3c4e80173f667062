#pragma once

#include "window/volumesource.h"

#include <QSet>

namespace namlex::test {

// Volumes made of temporary folders; any of them can be made "not ready".
class FakeVolumes : public VolumeSource
{
public:
    QList<platform::Volume> list;
    QSet<QString> notReady;

    QList<platform::Volume> volumes() const override { return list; }
    bool isReady(const platform::Volume &volume) const override
    {
        return !notReady.contains(volume.rootPath);
    }
};

} // namespace namlex::test

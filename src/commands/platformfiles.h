#pragma once

#include "commands/folderaccess.h"

namespace namlex {

// The folders on disk.
class PlatformFileSystem : public FileSystem
{
public:
    std::unique_ptr<Folder> openFolder(const QString &path) override;
    std::optional<platform::VolumePlace> placeOf(const QString &path) override;
    QStringList foldersAt(const platform::VolumePlace &place) override;
};

} // namespace namlex

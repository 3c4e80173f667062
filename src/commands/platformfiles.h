#pragma once

#include "commands/folderaccess.h"

namespace namlex {

// The folders on disk.
class PlatformFileSystem : public FileSystem
{
public:
    std::unique_ptr<Folder> openFolder(const QString &path) override;
};

} // namespace namlex

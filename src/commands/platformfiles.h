#pragma once

#include "commands/commandcontext.h"

namespace namlex {

// Renames on disk, never replacing an existing file.
class PlatformRenamer : public Renamer
{
public:
    bool rename(const QString &fromPath, const QString &toPath) override;
};

// Deletes one regular file or link on disk.
class PlatformDeleter : public FileDeleter
{
public:
    bool deleteFile(const QString &path) override;
};

} // namespace namlex

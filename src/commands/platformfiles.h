#pragma once

#include "commands/commandcontext.h"

namespace namlex {

// Renames on disk, never replacing an existing file.
class PlatformRenamer : public Renamer
{
public:
    platform::RenameResult rename(const QString &fromPath, const QString &toPath) override;
};

// Deletes one regular file or link on disk.
class PlatformDeleter : public FileDeleter
{
public:
    bool deleteFile(const QString &path) override;
};

// Looks at folders and files on disk.
class PlatformInspector : public FolderInspector
{
public:
    std::optional<QStringList> entryNames(const QString &folder) const override;
    int maxNameBytes(const QString &folder) const override;
    std::optional<platform::FileIdentity> identityOf(const QString &path) const override;
};

} // namespace namlex

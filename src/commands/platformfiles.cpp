#include "commands/platformfiles.h"

#include "platform/folderhandle.h"

namespace namlex {

namespace {

class PlatformFolder : public Folder
{
public:
    explicit PlatformFolder(std::optional<platform::FolderHandle> handle)
        : handle(std::move(handle))
    { }

    std::optional<QStringList> entryNames() const override
    {
        return handle ? handle->entryNames() : std::nullopt;
    }
    platform::NameRules nameRules(const QStringList &entries) const override
    {
        return handle ? handle->nameRules(entries) : platform::NameRules {};
    }
    std::optional<platform::FileIdentity> identityOf(const QString &name) const override
    {
        return handle ? handle->identityOf(name) : std::nullopt;
    }
    std::optional<platform::FileIdentity> freshIdentityOf(const QString &name) const override
    {
        return handle ? handle->freshIdentityOf(name) : std::nullopt;
    }
    std::optional<platform::EntryState> stateOf(const QString &name) const override
    {
        return handle ? handle->stateOf(name) : std::nullopt;
    }
    platform::Problem rename(const QString &from, const QString &to) override
    {
        return handle ? handle->renameNoReplace(from, to) : unreadable;
    }
    platform::Problem deleteFile(const QString &name,
                                 const platform::FileIdentity &expected) override
    {
        return handle ? handle->deleteFile(name, expected) : unreadable;
    }

private:
    static inline const platform::Problem unreadable {platform::Cause::FolderUnreadable};
    std::optional<platform::FolderHandle> handle;
};

} // namespace

std::unique_ptr<Folder> PlatformFileSystem::openFolder(const QString &path)
{
    return std::make_unique<PlatformFolder>(platform::FolderHandle::open(path));
}

std::optional<platform::VolumePlace> PlatformFileSystem::placeOf(const QString &path)
{
    return platform::volumePlaceOf(path);
}

QStringList PlatformFileSystem::foldersAt(const platform::VolumePlace &place)
{
    return platform::foldersAt(place);
}

} // namespace namlex

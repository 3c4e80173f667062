#pragma once

#include "platform/entrystate.h"
#include "platform/filesystem.h"
#include "platform/namerules.h"
#include "platform/problem.h"
#include "platform/volumeplace.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace namlex {

// One folder a command works in. Every name is a plain name in it. What only
// looks may be asked from several threads at once.
class Folder
{
public:
    virtual ~Folder() = default;
    // Every entry's name, folders included; empty optional: the folder
    // cannot be read.
    virtual std::optional<QStringList> entryNames() const = 0;
    // How the folder's file system compares and limits names; `entries`
    // are the folder's names.
    virtual platform::NameRules nameRules(const QStringList &entries) const = 0;
    // The entry itself, a link and not its target; empty when there is none.
    virtual std::optional<platform::FileIdentity> identityOf(const QString &name) const = 0;
    // The same, asked of the file system itself and not of what the system
    // kept of the entry, which on FUSE may be a second old.
    virtual std::optional<platform::FileIdentity> freshIdentityOf(const QString &name) const
    {
        return identityOf(name);
    }
    // The same, and whether the entry itself forbids renaming it.
    virtual std::optional<platform::EntryState> stateOf(const QString &name) const
    {
        const std::optional<platform::FileIdentity> identity = identityOf(name);
        return identity ? std::optional(platform::EntryState {*identity}) : std::nullopt;
    }
    // Renames without replacing another entry; on failure the entry keeps
    // its name, and the result says why.
    virtual platform::Problem rename(const QString &from, const QString &to) = 0;
    // Deletes the file `expected` identifies, and nothing else.
    virtual platform::Problem deleteFile(const QString &name, const platform::FileIdentity &expected)
        = 0;
};

// Renames `from`, but only while the entry under that name is still the
// file `expected` identifies: never another file or a folder that took its
// name meanwhile.
inline platform::Problem renameIfSame(Folder &folder, const QString &from, const QString &to,
                                      const platform::FileIdentity &expected)
{
    const std::optional<platform::FileIdentity> now = folder.identityOf(from);
    if (!now)
        return {platform::Cause::FileGone};
    if (*now != expected)
        return {platform::Cause::FileReplaced, now->kind};
    return folder.rename(from, to);
}

// Opens the folders the commands work in.
class FileSystem
{
public:
    virtual ~FileSystem() = default;
    // A folder that cannot be opened answers every question with nothing
    // and refuses every change.
    virtual std::unique_ptr<Folder> openFolder(const QString &path) = 0;
    // Where the folder lies on its volume; empty when the system does not say.
    virtual std::optional<platform::VolumePlace> placeOf(const QString &path) = 0;
    // Where the folder that lay at `place` can be reached now; empty when its
    // volume is not mounted.
    virtual QStringList foldersAt(const platform::VolumePlace &place) = 0;
};

} // namespace namlex

#pragma once

#include "commands/platformfiles.h"

#include <QFile>
#include <QHash>

#include <cerrno>
#include <functional>

namespace namlex::test {

// The folders on disk, with a way for a test to step in before each rename
// or to make renames fail, and to show a volume as a remount would.
class HookedFileSystem : public FileSystem
{
public:
    int renames = 0;
    int failAt = 0; // this rename fails for want of permission; 0: none
    std::optional<platform::Problem> failure; // every rename fails so
    std::function<void()> beforeRename;
    // Where set, the folder's volume as the test presents it: placeOf()
    // answers `place`, foldersAt() `mountedAt`, and `remount` changes each
    // identity as the volume mounted anew shows it.
    std::optional<platform::VolumePlace> place;
    QStringList mountedAt;
    std::function<void(const QString &name, platform::FileIdentity &)> remount;
    QHash<QString, QString> moved; // a folder's path as recorded → where it is now
    QString renaming[2]; // the rename under way, from and to, for beforeRename
    // A rename moves the file's time of change a minute on, as fusefat does
    // when it rewrites a long name.
    bool renameSetsTime = false;
    // What the file system says about letter case; empty: what it does say.
    std::optional<platform::NameRules::LetterCase> letterCase;

    std::unique_ptr<Folder> openFolder(const QString &path) override
    {
        const QString real = moved.value(path, path);
        return std::make_unique<HookedFolder>(*this, disk.openFolder(real), real);
    }
    std::optional<platform::VolumePlace> placeOf(const QString &path) override
    {
        return place ? place : disk.placeOf(path);
    }
    QStringList foldersAt(const platform::VolumePlace &asked) override
    {
        return place ? (asked == *place ? mountedAt : QStringList()) : disk.foldersAt(asked);
    }

private:
    class HookedFolder : public Folder
    {
    public:
        HookedFolder(HookedFileSystem &hooks, std::unique_ptr<Folder> folder, const QString &path)
            : hooks(hooks)
            , folder(std::move(folder))
            , path(path)
        { }
        std::optional<QStringList> entryNames() const override { return folder->entryNames(); }
        platform::NameRules nameRules(const QStringList &entries) const override
        {
            platform::NameRules rules = folder->nameRules(entries);
            rules.letterCase = hooks.letterCase.value_or(rules.letterCase);
            return rules;
        }
        std::optional<platform::FileIdentity> identityOf(const QString &name) const override
        {
            return remounted(name, folder->identityOf(name));
        }
        std::optional<platform::FileIdentity> freshIdentityOf(const QString &name) const override
        {
            return remounted(name, folder->freshIdentityOf(name));
        }
        std::optional<platform::EntryState> stateOf(const QString &name) const override
        {
            return folder->stateOf(name);
        }
        platform::Problem rename(const QString &from, const QString &to) override
        {
            ++hooks.renames;
            hooks.renaming[0] = from;
            hooks.renaming[1] = to;
            if (hooks.beforeRename)
                hooks.beforeRename();
            if (hooks.failure)
                return *hooks.failure;
            if (hooks.renames == hooks.failAt)
                return {platform::Cause::NoPermission, std::nullopt, QString(), EACCES};
            const platform::Problem problem = folder->rename(from, to);
            if (problem.ok() && hooks.renameSetsTime) {
                QFile file(path + u'/' + to);
                if (!file.open(QIODevice::ReadWrite)
                    || !file.setFileTime(
                        file.fileTime(QFileDevice::FileModificationTime).addSecs(60),
                        QFileDevice::FileModificationTime))
                    return {platform::Cause::Other};
            }
            return problem;
        }
        platform::Problem deleteFile(const QString &name,
                                     const platform::FileIdentity &expected) override
        {
            return folder->deleteFile(name, expected);
        }

    private:
        std::optional<platform::FileIdentity> remounted(
            const QString &name, std::optional<platform::FileIdentity> identity) const
        {
            if (identity && hooks.remount)
                hooks.remount(name, *identity);
            return identity;
        }

        HookedFileSystem &hooks;
        std::unique_ptr<Folder> folder;
        QString path;
    };

    PlatformFileSystem disk;
};

} // namespace namlex::test

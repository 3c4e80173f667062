#pragma once

#include "platform/entrystate.h"
#include "platform/filesystem.h"
#include "platform/namerules.h"
#include "platform/problem.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace namlex::platform {

// An open folder. Every name is a plain name in it, never a path, so that
// nothing outside the folder can be addressed, and the folder stays the one
// that was opened even if it is renamed meanwhile.
class FolderHandle
{
public:
    // Empty optional: the folder cannot be opened.
    static std::optional<FolderHandle> open(const QString &path);
    FolderHandle(FolderHandle &&other) noexcept;
    FolderHandle &operator=(FolderHandle &&other) noexcept;
    FolderHandle(const FolderHandle &) = delete;
    FolderHandle &operator=(const FolderHandle &) = delete;
    ~FolderHandle();

    // Every entry's name, folders and hidden ones included, in no particular
    // order; empty optional: the folder cannot be read.
    std::optional<QStringList> entryNames() const;
    // The entry itself (a link, not its target); empty when there is none.
    std::optional<FileIdentity> identityOf(const QString &name) const;
    // The same, asked of the file system itself: FUSE answers from what it
    // kept of the file for up to a second, and a rename there may have
    // changed the file's time meanwhile.
    std::optional<FileIdentity> freshIdentityOf(const QString &name) const;
    // The same, and whether the entry itself forbids renaming it, in one look.
    std::optional<EntryState> stateOf(const QString &name) const;
    // Renames an entry without ever replacing an existing one. On failure
    // the entry keeps its old name, and the result says why.
    Problem renameNoReplace(const QString &from, const QString &to) const;
    // Deletes exactly the regular file or link that `expected` identifies; a
    // folder, a pipe, a socket, a device node, a write-protected file and
    // another file that took the name are never deleted.
    Problem deleteFile(const QString &name, const FileIdentity &expected) const;
    // How the folder's file system compares and limits names. `entries`
    // are the folder's names, one of which may be looked up in other letter
    // case to learn whether the file system folds it.
    NameRules nameRules(const QStringList &entries) const;

private:
    FolderHandle(qintptr handle, qint64 ownFilesOnly);
    Cause protectionOf(quint64 attributes, qint64 owner) const;
    Cause causeOfRefusal(const QByteArray &name) const;

    qintptr handle_ = -1; // the system's handle of the open folder
    // The user, where the folder lets them rename only the files they own:
    // it has the sticky bit, as /tmp has, and they neither own it nor are
    // root; else -1.
    qint64 ownFilesOnly_ = -1;
};

} // namespace namlex::platform

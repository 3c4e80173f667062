#include "platform/folderlisting.h"

#include "platform/namecodec.h"
#include "platform/naturalorder.h"
#include "platform/systempath.h"
#include "platform/wildcard.h"

#include <algorithm>
#include <cerrno>
#include <memory>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace namlex::platform {

namespace {

struct DirCloser
{
    void operator()(DIR *dir) const { ::closedir(dir); }
};
using DirHandle = std::unique_ptr<DIR, DirCloser>;

// Qt's own directory classes drop names that are not valid UTF-8, so the
// folder is read with readdir on its raw bytes.
DirHandle openFolder(const QString &folder)
{
    const std::optional<QByteArray> path = systemPath(folder);
    if (!path)
        return nullptr;
    return DirHandle(::opendir(path->constData()));
}

bool isDotOrDotDot(const char *name)
{
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// d_type answers without a stat for most entries, which keeps a folder of
// tens of thousands of files cheap. Links are followed, so a link to a
// folder counts as a folder; a broken link counts as a file.
bool isFolder(DIR *dir, const dirent *entry)
{
    if (entry->d_type == DT_DIR)
        return true;
    if (entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN)
        return false;
    struct stat info = {};
    return ::fstatat(::dirfd(dir), entry->d_name, &info, 0) == 0 && S_ISDIR(info.st_mode);
}

// The decoded names of the entries that are (or are not) folders.
std::optional<QStringList> entryNames(const QString &folder, bool folders)
{
    const DirHandle dir = openFolder(folder);
    if (!dir)
        return std::nullopt;
    QStringList names;
    // readdir tells the end of the folder from a read error only by errno.
    errno = 0;
    while (const dirent *entry = ::readdir(dir.get())) {
        if (!isDotOrDotDot(entry->d_name) && isFolder(dir.get(), entry) == folders)
            names.append(decodeName(QByteArray(entry->d_name)));
        errno = 0;
    }
    if (errno != 0)
        return std::nullopt;
    return names;
}

} // namespace

std::optional<QStringList> listFiles(const QString &folder, const QStringList &patterns)
{
    std::optional<QStringList> names = entryNames(folder, false);
    if (!names)
        return std::nullopt;
    names->removeIf([&](const QString &name) {
        return std::none_of(patterns.begin(), patterns.end(),
                            [&](const QString &pattern) { return matchesWildcard(name, pattern); });
    });
    std::sort(names->begin(), names->end(), naturalLess);
    return names;
}

std::optional<QStringList> listSubfolders(const QString &folder)
{
    std::optional<QStringList> names = entryNames(folder, true);
    if (!names)
        return std::nullopt;
    names->removeIf([](const QString &name) { return name.startsWith(u'.'); });
    std::sort(names->begin(), names->end(), naturalLess);
    return names;
}

bool canListFolder(const QString &folder)
{
    return openFolder(folder) != nullptr;
}

} // namespace namlex::platform

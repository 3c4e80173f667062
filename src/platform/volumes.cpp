#include "platform/volumes.h"

#include "platform/folderlisting.h"
#include "platform/paths.h"

#include <QStorageInfo>

#include <algorithm>
#include <iterator>

using namespace Qt::StringLiterals;

namespace namlex::platform {

namespace {

// Kernel and helper file systems that hold nothing a user would browse.
// overlay is not among them: container and live systems keep their files there.
const char *const pseudoFileSystems[] = {
    "proc",      "sysfs",      "devtmpfs", "devpts",      "tmpfs",
    "ramfs",     "cgroup",     "cgroup2",  "securityfs",  "debugfs",
    "tracefs",   "configfs",   "pstore",   "bpf",         "mqueue",
    "hugetlbfs", "autofs",     "fusectl",  "binfmt_misc", "efivarfs",
    "nsfs",      "rpc_pipefs", "squashfs", "fuse.portal", "fuse.gvfsd-fuse",
};

bool isPseudoFileSystem(const QByteArray &type)
{
    return std::any_of(std::begin(pseudoFileSystems), std::end(pseudoFileSystems),
                       [&](const char *pseudo) { return type == pseudo; });
}

} // namespace

QList<Volume> mountedVolumes()
{
    QList<Volume> volumes;
    for (const QStorageInfo &storage : QStorageInfo::mountedVolumes()) {
        if (storage.isValid() && !isPseudoFileSystem(storage.fileSystemType()))
            volumes.append({storage.rootPath(), storage.name()});
    }
    return volumes;
}

bool isVolumeReady(const Volume &volume)
{
    return QStorageInfo(volume.rootPath).isReady() && canListFolder(volume.rootPath);
}

QString volumeText(const Volume &volume)
{
    if (volume.name.isEmpty() || volume.name == volume.rootPath)
        return volume.rootPath;
    return volume.rootPath + u" ["_s + volume.name + u']';
}

int volumeHolding(const QList<Volume> &volumes, const QString &path)
{
    int best = -1;
    for (int i = 0; i < volumes.size(); ++i) {
        const QString &root = volumes[i].rootPath;
        const bool holds = path.startsWith(root)
                           && (path.size() == root.size() || root.endsWith(pathSeparator())
                               || path[root.size()] == pathSeparator());
        if (holds && (best < 0 || root.size() > volumes[best].rootPath.size()))
            best = i;
    }
    return best;
}

} // namespace namlex::platform

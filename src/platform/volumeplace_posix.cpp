#include "platform/volumeplace.h"

#include "platform/namecodec.h"
#include "platform/systempath.h"

#include <QDir>
#include <QFile>
#include <QHash>

#include <array>
#include <cstdlib>
#include <memory>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

// The volume is named by what the system already offers an ordinary user,
// with no new library: /proc/self/mountinfo says which device holds a mount,
// and udev's /dev/disk/by-uuid names that device's UUID or serial. Where
// udev does not run, the source's first sectors are read, if the user may,
// for the same id; a disk image mounted through FUSE is such a source.
namespace namlex::platform {

namespace {

// One line of /proc/self/mountinfo.
struct Mount
{
    dev_t device = 0;
    QByteArray root; // the mount's top as a path inside its file system
    QByteArray point; // where it is mounted
    QByteArray type;
    QByteArray source;
};

// mountinfo writes a blank, tab, line end and backslash as "\ooo".
QByteArray unescaped(const QByteArray &field)
{
    QByteArray out;
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            bool ok = false;
            const int value = field.mid(i + 1, 3).toInt(&ok, 8);
            if (ok) {
                out.append(char(value));
                i += 3;
                continue;
            }
        }
        out.append(field[i]);
    }
    return out;
}

QList<Mount> mounts()
{
    QFile file(u"/proc/self/mountinfo"_s);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<Mount> result;
    for (const QByteArray &line : file.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        const qsizetype dash = fields.indexOf("-");
        if (dash < 6 || fields.size() < dash + 3)
            continue;
        const QList<QByteArray> numbers = fields.at(2).split(':');
        if (numbers.size() != 2)
            continue;
        result.append({makedev(numbers[0].toUInt(), numbers[1].toUInt()), unescaped(fields.at(3)),
                       unescaped(fields.at(4)), fields.at(dash + 1),
                       unescaped(fields.at(dash + 2))});
    }
    return result;
}

QByteArray realPath(const QByteArray &path)
{
    const std::unique_ptr<char, decltype(&std::free)> real(::realpath(path.constData(), nullptr),
                                                           &std::free);
    return real ? QByteArray(real.get()) : QByteArray();
}

quint32 littleEndian32(const QByteArray &bytes, qsizetype at)
{
    return quint32(quint8(bytes[at])) | quint32(quint8(bytes[at + 1])) << 8
           | quint32(quint8(bytes[at + 2])) << 16 | quint32(quint8(bytes[at + 3])) << 24;
}

QString serialText(quint32 serial)
{
    return u"%1-%2"_s.arg(serial >> 16, 4, 16, QChar(u'0'))
        .arg(serial & 0xFFFF, 4, 16, QChar(u'0'))
        .toUpper();
}

// The id blkid gives a FAT, exFAT or ext2/3/4 file system, read from its
// first sectors; empty for anything else.
QString idInSuperblock(const QByteArray &source)
{
    struct stat info = {};
    if (::stat(source.constData(), &info) != 0 || !(S_ISREG(info.st_mode) || S_ISBLK(info.st_mode)))
        return {};
    const int fd = ::open(source.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    QByteArray start(2048, '\0');
    const ssize_t got = ::pread(fd, start.data(), size_t(start.size()), 0);
    ::close(fd);
    if (got != start.size())
        return {};
    if (start.mid(3, 8) == "EXFAT   ")
        return serialText(littleEndian32(start, 100));
    const bool bootSector = quint8(start[510]) == 0x55 && quint8(start[511]) == 0xAA;
    if (bootSector && start.mid(82, 5) == "FAT32" && start[66] == 0x29)
        return serialText(littleEndian32(start, 67));
    if (bootSector && start.mid(54, 3) == "FAT" && start[38] == 0x29)
        return serialText(littleEndian32(start, 39));
    if (quint8(start[1024 + 56]) == 0x53 && quint8(start[1024 + 57]) == 0xEF) {
        const QByteArray uuid = start.mid(1024 + 104, 16).toHex();
        return QString::fromLatin1(uuid.left(8) + '-' + uuid.mid(8, 4) + '-' + uuid.mid(12, 4) + '-'
                                   + uuid.mid(16, 4) + '-' + uuid.mid(20));
    }
    return {};
}

bool keepsInodeNumbers(const QByteArray &type)
{
    static const QList<QByteArray> stable {"ext2", "ext3", "ext4", "xfs", "btrfs", "f2fs", "tmpfs"};
    return stable.contains(type);
}

bool isShare(const QByteArray &type)
{
    static const QList<QByteArray> shares {"nfs", "nfs4", "cifs", "smb3", "smbfs", "9p"};
    return shares.contains(type);
}

// Names the volumes of the mounts; reads /dev/disk/by-uuid once.
class VolumeNames
{
public:
    VolumeNames()
    {
        const QDir links(u"/dev/disk/by-uuid"_s);
        for (const QString &name : links.entryList(QDir::System | QDir::Files)) {
            const std::optional<QByteArray> link = systemPath(links.filePath(name));
            if (link)
                byDevice_.insert(realPath(*link), name);
        }
    }

    QString of(const Mount &mount)
    {
        if (isShare(mount.type))
            return u"share:"_s + decodeName(mount.source);
        if (mount.source.startsWith('/')) {
            const QByteArray device = realPath(mount.source);
            if (!device.isEmpty() && !byDevice_.contains(device))
                byDevice_.insert(device, idInSuperblock(device));
            const QString id = byDevice_.value(device);
            if (!id.isEmpty())
                return u"uuid:"_s + id;
        }
        if (bootId_.isEmpty()) {
            QFile file(u"/proc/sys/kernel/random/boot_id"_s);
            if (file.open(QIODevice::ReadOnly))
                bootId_ = QString::fromLatin1(file.readAll().trimmed());
        }
        return u"device:%1:%2:"_s.arg(major(mount.device)).arg(minor(mount.device)) + bootId_;
    }

private:
    QHash<QByteArray, QString> byDevice_; // a device's id; empty: it has none we know
    QString bootId_;
};

// Whether `path` is `top` or lies below it.
bool isWithin(const QByteArray &path, const QByteArray &top)
{
    return path.startsWith(top)
           && (path.size() == top.size() || top.endsWith('/') || path[top.size()] == '/');
}

// `path` below `top`, from its root: "/" for the top itself.
QByteArray below(const QByteArray &path, const QByteArray &top)
{
    const QByteArray rest = top.endsWith('/') ? path.mid(top.size() - 1) : path.mid(top.size());
    return rest.isEmpty() ? QByteArray("/") : rest;
}

QByteArray joined(const QByteArray &top, const QByteArray &rest)
{
    if (rest == "/")
        return top;
    return (top.endsWith('/') ? top.chopped(1) : top) + rest;
}

} // namespace

QString fileSystemIdIn(const QString &deviceOrImage)
{
    const std::optional<QByteArray> path = systemPath(deviceOrImage);
    return path ? idInSuperblock(*path) : QString();
}

std::optional<VolumePlace> volumePlaceOf(const QString &folder)
{
    const std::optional<QByteArray> bytes = systemPath(folder);
    struct stat info = {};
    if (!bytes || ::stat(bytes->constData(), &info) != 0)
        return std::nullopt;
    const QByteArray real = realPath(*bytes);
    const Mount *holder = nullptr;
    const QList<Mount> all = mounts();
    for (const Mount &mount : all) {
        if (mount.device == info.st_dev && isWithin(real, mount.point)
            && (!holder || mount.point.size() > holder->point.size()))
            holder = &mount;
    }
    if (!holder)
        return std::nullopt;
    return VolumePlace {VolumeNames().of(*holder),
                        decodeName(joined(holder->root, below(real, holder->point))),
                        keepsInodeNumbers(holder->type)};
}

QStringList foldersAt(const VolumePlace &place)
{
    const std::optional<QByteArray> inside = systemPath(place.pathInside);
    if (!inside)
        return {};
    VolumeNames names;
    QStringList folders;
    for (const Mount &mount : mounts()) {
        if (!isWithin(*inside, mount.root) || names.of(mount) != place.volume)
            continue;
        const QByteArray path = joined(mount.point, below(*inside, mount.root));
        struct stat info = {};
        if (::stat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode))
            folders.append(decodeName(path));
    }
    return folders;
}

} // namespace namlex::platform

#pragma once

#include <QList>
#include <QString>

namespace namlex::platform {

// A mounted volume that a user would browse.
struct Volume
{
    QString rootPath;
    QString name;
    bool operator==(const Volume &) const = default;
};

// Real, valid file systems; pseudo file systems are left out.
QList<Volume> mountedVolumes();

// The text a drive selector shows: the root path, then " [name]" where the
// volume has a name that differs from its root path.
QString volumeText(const Volume &volume);

// Whether the volume has a medium and its root can be listed. A mount point
// can be ready for the system and still refuse to be read, e.g. an
// automounter whose medium is gone.
bool isVolumeReady(const Volume &volume);

// Index of the volume that holds the path (longest matching root), or -1.
int volumeHolding(const QList<Volume> &volumes, const QString &path);

} // namespace namlex::platform

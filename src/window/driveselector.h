#pragma once

#include "platform/volumes.h"

#include <QComboBox>
#include <QHash>
#include <QList>
#include <QString>

#include <optional>

namespace namlex {

class VolumeSource;

// The drive selector: one entry per mounted volume. The volumes are read when
// the selector is built and each time its list opens, never otherwise, since
// asking a dead network mount can hang.
class DriveSelector : public QComboBox
{
    Q_OBJECT

public:
    // The source must outlive the selector.
    explicit DriveSelector(const VolumeSource &source, QWidget *parent = nullptr);

    // The selected entry's text; empty when none is selected.
    QString drive() const;
    // Selects the entry with this text, or else the volume that holds this
    // path, and emits changed() before returning when that is another volume.
    // False when no volume matches.
    bool setDrive(const QString &pathOrDriveText);

    // The folder to show for an entry: the last one remembered on its volume
    // during this run, else its root. Empty for an unknown or unready volume.
    std::optional<QString> folderOf(const QString &driveText) const;
    // Whether the volume holding the path is ready (true when none holds it).
    bool isReadyFor(const QString &path) const;
    // Remembers the folder as the last one shown on the volume holding it.
    void rememberFolder(const QString &folder);

    void showPopup() override;

protected:
    // The field is one flat colour, its palette's Base: styles that shade
    // their combo boxes would change the colour it was given.
    void paintEvent(QPaintEvent *event) override;

Q_SIGNALS:
    void changed();

private:
    void fill();
    int indexOfText(const QString &driveText) const;

    const VolumeSource &source_;
    QList<platform::Volume> volumes_;
    // Root path -> last folder shown on that volume.
    QHash<QString, QString> lastFolders_;
};

} // namespace namlex

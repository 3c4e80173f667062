#include "window/driveselector.h"

#include "platform/folderlisting.h"
#include "window/volumesource.h"

#include <QSignalBlocker>
#include <QStyleOption>
#include <QStylePainter>

namespace namlex {

DriveSelector::DriveSelector(const VolumeSource &source, QWidget *parent)
    : QComboBox(parent)
    , source_(source)
{
    fill();
    // Refilling blocks the signals, so this reports only real choices.
    connect(this, &QComboBox::currentIndexChanged, this, [this] { Q_EMIT changed(); });
}

QString DriveSelector::drive() const
{
    return currentIndex() < 0 ? QString() : currentText();
}

bool DriveSelector::setDrive(const QString &pathOrDriveText)
{
    int index = indexOfText(pathOrDriveText);
    if (index < 0)
        index = platform::volumeHolding(volumes_, pathOrDriveText);
    if (index < 0)
        return false;
    setCurrentIndex(index);
    return true;
}

std::optional<QString> DriveSelector::folderOf(const QString &driveText) const
{
    const int index = indexOfText(driveText);
    if (index < 0 || !source_.isReady(volumes_.at(index)))
        return std::nullopt;
    const QString &root = volumes_.at(index).rootPath;
    // A folder that has gone since it was shown leaves the volume at its root.
    const QString last = lastFolders_.value(root);
    return !last.isEmpty() && platform::canListFolder(last) ? last : root;
}

bool DriveSelector::isReadyFor(const QString &path) const
{
    const int index = platform::volumeHolding(volumes_, path);
    return index < 0 || source_.isReady(volumes_.at(index));
}

void DriveSelector::rememberFolder(const QString &folder)
{
    const int index = platform::volumeHolding(volumes_, folder);
    if (index >= 0)
        lastFolders_.insert(volumes_.at(index).rootPath, folder);
}

void DriveSelector::showPopup()
{
    // Mounts come and go while the program runs; the list shows them as they
    // are when the user opens it.
    fill();
    QComboBox::showPopup();
}

void DriveSelector::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    painter.fillRect(rect(), palette().base());
    QStyleOptionFrame frame;
    frame.initFrom(this);
    painter.drawPrimitive(QStyle::PE_Frame, frame);

    QStyleOption arrow(option);
    arrow.rect
        = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, this);
    painter.drawPrimitive(QStyle::PE_IndicatorArrowDown, arrow);

    // With the focus, the drive shows as selected, as in the lists.
    const QRect field
        = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    if (hasFocus())
        painter.fillRect(field, palette().highlight());
    painter.setClipRect(field);
    painter.drawItemText(field.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, palette(),
                         isEnabled(), currentText(),
                         hasFocus() ? QPalette::HighlightedText : QPalette::Text);
}

void DriveSelector::fill()
{
    const QString selectedRoot
        = currentIndex() < 0 ? QString() : volumes_.at(currentIndex()).rootPath;
    const QSignalBlocker blocker(this);
    volumes_ = source_.volumes();
    clear();
    for (const platform::Volume &volume : volumes_)
        addItem(platform::volumeText(volume));
    // A volume that went away leaves its folders to the volume that now
    // holds its mount point.
    setCurrentIndex(selectedRoot.isEmpty() ? -1 : platform::volumeHolding(volumes_, selectedRoot));
}

int DriveSelector::indexOfText(const QString &driveText) const
{
    for (qsizetype i = 0; i < volumes_.size(); ++i) {
        if (platform::volumeText(volumes_.at(i)) == driveText)
            return int(i);
    }
    return -1;
}

} // namespace namlex

#include "window/foldertree.h"

#include "platform/folderlisting.h"
#include "platform/namecodec.h"
#include "platform/paths.h"

#include <QStyle>
#include <QStyledItemDelegate>

namespace namlex {

namespace {

constexpr int IndentPerLevel = 12;

// Shifts each item by its depth, so the flat list reads like a tree.
class IndentDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        QStyleOptionViewItem shifted(option);
        const int indent = indentOf(index);
        if (option.direction == Qt::RightToLeft)
            shifted.rect.adjust(0, 0, -indent, 0);
        else
            shifted.rect.adjust(indent, 0, 0, 0);
        QStyledItemDelegate::paint(painter, shifted, index);
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(indentOf(index), 0);
    }

private:
    static int indentOf(const QModelIndex &index)
    {
        return index.data(FolderTree::DepthRole).toInt() * IndentPerLevel;
    }
};

} // namespace

FolderTree::FolderTree(QWidget *parent)
    : QListWidget(parent)
{
    setItemDelegate(new IndentDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemActivated, this, [this](QListWidgetItem *item) {
        const QString target = item->data(PathRole).toString();
        // Opening the folder already shown reads its sub-folders anew.
        if (target == path_)
            rebuild(platform::listSubfolders(path_).value_or(QStringList()));
        else if (!setPath(target))
            Q_EMIT openFailed(target);
    });
}

QString FolderTree::path() const
{
    return path_;
}

bool FolderTree::setPath(const QString &path)
{
    const QString cleaned = platform::cleanFolderPath(path);
    if (cleaned.isEmpty())
        return false;
    if (cleaned == path_)
        return platform::canListFolder(cleaned);
    // Listing the sub-folders is also the test that the folder can be shown.
    const std::optional<QStringList> subfolders = platform::listSubfolders(cleaned);
    if (!subfolders)
        return false;
    path_ = cleaned;
    rebuild(*subfolders);
    Q_EMIT changed();
    return true;
}

void FolderTree::rebuild(const QStringList &subfolders)
{
    clear();
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon, nullptr, this);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon, nullptr, this);

    const QStringList chain = platform::folderChain(path_);
    for (qsizetype depth = 0; depth < chain.size(); ++depth) {
        const QString &folder = chain.at(depth);
        const QString name = depth == 0 ? folder : folder.section(platform::pathSeparator(), -1);
        addEntry(folder, name, int(depth), openIcon);
    }
    QListWidgetItem *current = item(count() - 1);

    const int childDepth = int(chain.size());
    for (const QString &name : subfolders)
        addEntry(platform::joinPath(path_, name), name, childDepth, closedIcon);

    setCurrentItem(current);
    scrollToItem(current);
}

void FolderTree::addEntry(const QString &path, const QString &text, int depth, const QIcon &icon)
{
    auto *entry = new QListWidgetItem(icon, platform::displayName(text), this);
    entry->setData(PathRole, path);
    entry->setData(DepthRole, depth);
}

} // namespace namlex

#include "window/detailtablemodel.h"

#include "window/plaintooltip.h"

#include <QColor>

namespace namlex {

DetailTableModel::DetailTableModel(std::shared_ptr<const DetailTable> table, QObject *parent)
    : QAbstractTableModel(parent)
    , table_(std::move(table))
    , headers_(table_->headers())
{ }

int DetailTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : table_->rowCount();
}

int DetailTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(headers_.size());
}

QVariant DetailTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return table_->cell(index.row(), index.column());
    case Qt::ToolTipRole:
        return plainToolTip(table_->cell(index.row(), index.column()));
    // Dark red on a light red ground reads under any theme.
    case Qt::BackgroundRole:
        return table_->marked(index.row()) ? QVariant(QColor(0xFF, 0xE0, 0xE0)) : QVariant();
    case Qt::ForegroundRole:
        return table_->marked(index.row()) ? QVariant(QColor(0x90, 0x00, 0x00)) : QVariant();
    default:
        return {};
    }
}

QVariant DetailTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    return orientation == Qt::Horizontal ? QVariant(headers_.value(section)) : QVariant();
}

} // namespace namlex

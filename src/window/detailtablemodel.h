#pragma once

#include "texts/prompter.h"

#include <QAbstractTableModel>

#include <memory>

namespace namlex {

// A box's detail table as a Qt model: the view asks only for the rows it
// shows. Marked rows, such as files that cannot be renamed, stand out in
// colour; every cell's whole text is its tool tip, since the view shortens
// long names.
class DetailTableModel : public QAbstractTableModel
{
public:
    explicit DetailTableModel(std::shared_ptr<const DetailTable> table, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::shared_ptr<const DetailTable> table_;
    QStringList headers_;
};

} // namespace namlex

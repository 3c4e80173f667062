#pragma once

#include <QStyledItemDelegate>

#include <optional>

namespace namlex {

// Draws names as the program shows them, shortened by elideShown() so that
// no mark is cut through. Without a mode of its own it shortens as its view
// does.
class ShownNameDelegate : public QStyledItemDelegate
{
public:
    explicit ShownNameDelegate(QObject *parent, std::optional<Qt::TextElideMode> mode = {});

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;

private:
    std::optional<Qt::TextElideMode> mode_;
};

} // namespace namlex

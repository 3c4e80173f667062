#include "window/shownnamedelegate.h"

#include "window/shownelide.h"

#include <QApplication>
#include <QStyle>

namespace namlex {

ShownNameDelegate::ShownNameDelegate(QObject *parent, std::optional<Qt::TextElideMode> mode)
    : QStyledItemDelegate(parent)
    , mode_(mode)
{ }

void ShownNameDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const
{
    QStyleOptionViewItem shown = option;
    initStyleOption(&shown, index);
    const QWidget *widget = shown.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    // The style draws the text this far inside the cell.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    shown.text = elideShown(shown.text, shown.fontMetrics, shown.rect.width() - 2 * margin,
                            mode_.value_or(shown.textElideMode));
    shown.textElideMode = Qt::ElideNone;
    style->drawControl(QStyle::CE_ItemViewItem, &shown, painter, widget);
}

} // namespace namlex

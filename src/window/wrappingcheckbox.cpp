#include "window/wrappingcheckbox.h"

#include <QStyle>
#include <QStyleOption>
#include <QStylePainter>

namespace namlex {

void WrappingCheckBox::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);

    // The style centres the indicator vertically in the whole box.
    QStyleOptionButton indicator(option);
    indicator.rect = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
    painter.drawPrimitive(QStyle::PE_IndicatorCheckBox, indicator);

    const int spacing = style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, this);
    const QRect besideIndicator(
        option.rect.left() + indicator.rect.width() + spacing, option.rect.top(),
        option.rect.width() - indicator.rect.width() - spacing, option.rect.height());
    const QRect textArea = QStyle::visualRect(option.direction, option.rect, besideIndicator);
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
    painter.drawItemText(textArea, flags, option.palette, isEnabled(), text(), QPalette::WindowText);

    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        const QRect textBounds = painter.fontMetrics().boundingRect(textArea, flags, text());
        focus.rect = textBounds.adjusted(-1, -1, 1, 1).intersected(rect());
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

bool WrappingCheckBox::hitButton(const QPoint &pos) const
{
    return rect().contains(pos);
}

} // namespace namlex

#include "window/colourfacedbutton.h"

#include <QPainter>
#include <QStyle>
#include <qdrawutil.h>

namespace namlex {

void ColourFacedButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const bool down = isDown();
    qDrawWinButton(&painter, rect(), palette(), down, &palette().brush(QPalette::Button));

    // A pressed caption moves with the face, one pixel down and to the right.
    const QRect face = rect().adjusted(2, 2, -2, -2).translated(down ? QPoint(1, 1) : QPoint());
    style()->drawItemText(&painter, face, Qt::AlignCenter | Qt::TextShowMnemonic, palette(),
                          isEnabled(), text(), QPalette::ButtonText);

    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::ButtonText), 1, Qt::DotLine));
        painter.drawRect(face.adjusted(1, 1, -2, -2));
    }
}

} // namespace namlex

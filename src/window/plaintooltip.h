#pragma once

#include <QString>
#include <QTextDocument>

namespace namlex {

// Qt draws a tool tip that looks like markup as rich text, so a name such as
// "<i>Titel.mp3" would lose its tags and show in italics. Such a text is
// handed over as markup that shows it as it is.
inline QString plainToolTip(const QString &text)
{
    return Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text) : text;
}

} // namespace namlex

#pragma once

#include <QFontMetrics>
#include <QString>

namespace namlex {

// Shortens a name as the program shows it (platform::displayName) to fit
// `width` pixels, as QFontMetrics::elidedText() does, but never through a
// mark such as "[ä]", "[U+000A]" or "[BOM]", a doubled "[[" or a surrogate
// pair: the cut falls before or after it. A name that holds a mark keeps at
// least one in view, since the mark is what tells it from its look-alike.
QString elideShown(const QString &shown, const QFontMetrics &metrics, int width,
                   Qt::TextElideMode mode);

} // namespace namlex

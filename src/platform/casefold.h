#pragma once

#include <QChar>

namespace namlex::platform {

// One UTF-16 code unit folded for comparing without regard to case. A lone
// surrogate, which stands for a raw byte of a name, folds to itself. Listing
// a large folder folds each character many times and most names are ASCII,
// which needs no table lookup.
inline char16_t foldedUnit(QChar c)
{
    const char16_t unit = c.unicode();
    if (unit < 0x80)
        return unit >= u'A' && unit <= u'Z' ? char16_t(unit + (u'a' - u'A')) : unit;
    return c.toCaseFolded().unicode();
}

} // namespace namlex::platform

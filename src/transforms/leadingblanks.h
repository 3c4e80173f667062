#pragma once

#include <QString>
#include <QStringView>

namespace namlex {

// Only blanks (U+0020) are taken off the front; tabs and other white space
// are part of the name.
inline QString withoutLeadingBlanks(QStringView text)
{
    qsizetype first = 0;
    while (first < text.size() && text.at(first) == u' ')
        ++first;
    return text.sliced(first).toString();
}

} // namespace namlex

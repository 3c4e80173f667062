#include "underscores.h"

#include "leadingblanks.h"
#include "position.h"

std::optional<QString> namlex::replaceUnderscores(const QString &name)
{
    QString copy = name;
    if (copy.isEmpty())
        return copy;
    // Positions are 16-bit numbers: a name that is too long to be walked
    // fails, whether or not it holds an underscore.
    int p = 0;
    do {
        if (!advance(p, 1))
            return std::nullopt;
        if (copy.at(p - 1) == u'_') {
            // The part behind the underscore begins at p + 1, which must be a
            // valid position as well.
            int behind = p;
            if (!advance(behind, 1))
                return std::nullopt;
            copy[p - 1] = u' ';
        }
    } while (p != copy.size());
    return withoutLeadingBlanks(copy);
}

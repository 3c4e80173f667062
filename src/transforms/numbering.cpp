#include "numbering.h"

#include "leadingblanks.h"
#include "leadingvalue.h"
#include "position.h"

std::optional<QString> namlex::removeNumbering(const QString &name, bool onlyWithLeadingZero)
{
    // Titles such as "89er's - Kingston Town" begin with a number of their
    // own; restricted, only names that begin with a zero are touched.
    if (onlyWithLeadingZero && !name.startsWith(u'0'))
        return name;

    const std::optional<double> value = leadingValue(name);
    if (!value)
        return std::nullopt;

    // Positions are 1-based; reading past the end gives nothing.
    const auto charAt = [&name](int p) { return p <= name.size() ? name.at(p - 1) : QChar(); };
    int p = 1;
    while (charAt(p) == u'0') {
        if (!advance(p, 1))
            return std::nullopt;
    }
    // The number is passed over by the length of its written form, not by the
    // characters it was read from, so blanks inside it are not skipped here.
    if (*value > 0 && !advance(p, valueText(*value).size()))
        return std::nullopt;
    if (QStringView(name).mid(p - 1, 3) == u" - ") {
        if (!advance(p, 3))
            return std::nullopt;
    } else if (QStringView(u"_- .").contains(charAt(p))) {
        if (!advance(p, 1))
            return std::nullopt;
    }
    // Positions count 16-bit units, and a character outside the BMP takes
    // two. A cut between them would leave half a character, which names no
    // file; the whole character is kept instead.
    if (p >= 2 && p <= name.size() && name.at(p - 1).isLowSurrogate()
        && name.at(p - 2).isHighSurrogate())
        --p;
    return withoutLeadingBlanks(QStringView(name).mid(p - 1));
}

#include "platform/naturalorder.h"

#include "platform/casefold.h"

namespace namlex::platform {

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

qsizetype digitRunEnd(const QString &s, qsizetype pos)
{
    while (pos < s.size() && isDigit(s[pos]))
        ++pos;
    return pos;
}

qsizetype zerosEnd(const QString &s, qsizetype pos, qsizetype end)
{
    while (pos < end && s[pos] == u'0')
        ++pos;
    return pos;
}

// Compares two runs of digits by value, without converting them to a number,
// so that runs of any length work. Equal values: fewer leading zeros first.
int compareDigitRuns(const QString &a, qsizetype aPos, qsizetype aEnd, const QString &b,
                     qsizetype bPos, qsizetype bEnd)
{
    const qsizetype aDigits = zerosEnd(a, aPos, aEnd);
    const qsizetype bDigits = zerosEnd(b, bPos, bEnd);
    if (aEnd - aDigits != bEnd - bDigits)
        return aEnd - aDigits < bEnd - bDigits ? -1 : 1;
    for (qsizetype i = 0; i < aEnd - aDigits; ++i) {
        if (a[aDigits + i] != b[bDigits + i])
            return a[aDigits + i] < b[bDigits + i] ? -1 : 1;
    }
    if (aDigits - aPos != bDigits - bPos)
        return aDigits - aPos < bDigits - bPos ? -1 : 1;
    return 0;
}

int compareNatural(const QString &a, const QString &b)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        // Names in one folder share long stretches, such as a common prefix.
        if (a[i] == b[j] && !isDigit(a[i])) {
            ++i;
            ++j;
            continue;
        }
        if (isDigit(a[i]) && isDigit(b[j])) {
            const qsizetype aEnd = digitRunEnd(a, i);
            const qsizetype bEnd = digitRunEnd(b, j);
            if (const int order = compareDigitRuns(a, i, aEnd, b, j, bEnd))
                return order;
            i = aEnd;
            j = bEnd;
            continue;
        }
        const char16_t x = foldedUnit(a[i]);
        const char16_t y = foldedUnit(b[j]);
        if (x != y)
            return x < y ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < a.size())
        return 1;
    if (j < b.size())
        return -1;
    return 0;
}

} // namespace

bool naturalLess(const QString &a, const QString &b)
{
    if (const int order = compareNatural(a, b))
        return order < 0;
    // Names that differ only in case: a plain comparison keeps the order
    // total, so that a listing always comes out the same.
    return a < b;
}

} // namespace namlex::platform

#include "platform/wildcard.h"

#include "platform/casefold.h"

#include <algorithm>

namespace namlex::platform {

namespace {

bool sameIgnoringCase(QChar a, QChar b)
{
    return a == b || foldedUnit(a) == foldedUnit(b);
}

QStringView withoutBlanks(QStringView part)
{
    while (part.startsWith(u' '))
        part = part.sliced(1);
    while (part.endsWith(u' '))
        part.chop(1);
    return part;
}

} // namespace

QStringList splitPatterns(const QString &patternList)
{
    QStringList patterns;
    for (const QStringView part : QStringView(patternList).split(u';')) {
        const QStringView pattern = withoutBlanks(part);
        if (!pattern.isEmpty())
            patterns.append(pattern.toString());
    }
    return patterns;
}

bool matchesWildcard(const QString &name, const QString &pattern)
{
    // Users know "*.*" from Windows as "every file", with or without a dot.
    if (pattern == u"*.*")
        return true;

    // Greedy matching that backtracks only to the most recent "*": a later
    // "*" can absorb whatever an earlier one would have, so this is complete.
    qsizetype n = 0;
    qsizetype p = 0;
    qsizetype starPattern = -1;
    qsizetype starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == u'*') {
            starPattern = p++;
            starName = n;
        } else if (p < pattern.size()
                   && (pattern[p] == u'?' || sameIgnoringCase(pattern[p], name[n]))) {
            ++p;
            ++n;
        } else if (starPattern >= 0) {
            p = starPattern + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

bool matchesAnyWildcard(const QString &name, const QStringList &patterns)
{
    return std::any_of(patterns.begin(), patterns.end(),
                       [&name](const QString &pattern) { return matchesWildcard(name, pattern); });
}

} // namespace namlex::platform

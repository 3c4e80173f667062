#include "platform/namerules.h"

#include <algorithm>

namespace namlex::platform {

namespace {

bool isShortNameCharacter(QChar c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9')
           || QStringView(u"!#$%&'()-@^_`{}~").contains(c);
}

// Whether FAT can keep the name as a short 8.3 name alone, in one entry, in
// whatever letter case; vfat does so by default only for upper case.
bool fitsShortName(const QString &name, bool anyCase)
{
    const qsizetype dot = name.indexOf(u'.');
    const QStringView base = QStringView(name).left(dot < 0 ? name.size() : dot);
    const QStringView extension = dot < 0 ? QStringView() : QStringView(name).mid(dot + 1);
    return !base.isEmpty() && base.size() <= 8 && extension.size() <= 3
           && (dot < 0 || !extension.isEmpty()) && !extension.contains(u'.')
           && std::all_of(name.begin(), name.end(), [anyCase](QChar c) {
                  return c == u'.' || (isShortNameCharacter(c) && (anyCase || !c.isLower()));
              });
}

// The entries a name takes in a FAT folder: 13 UTF-16 units in each entry
// of the long name, and one for the short name.
qsizetype entriesFor(const QString &name, bool anyCase)
{
    return fitsShortName(name, anyCase) ? 1 : (name.size() + 12) / 13 + 1;
}

} // namespace

bool NameRules::mayNotFindRoom(const QString &oldName, const QString &newName) const
{
    // The old name is counted at its fewest entries, the new one at its
    // most, so that a doubt is never left out.
    return entriesMayRunOut && entriesFor(newName, false) > entriesFor(oldName, true);
}

} // namespace namlex::platform

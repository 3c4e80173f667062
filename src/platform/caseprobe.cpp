#include "platform/caseprobe.h"

#include <QSet>

namespace namlex::platform {

namespace {

// The name with every ASCII letter in the other case.
QString otherCase(const QString &name)
{
    QString swapped = name;
    for (QChar &c : swapped) {
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - (u'a' - u'A'));
        else if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    }
    return swapped;
}

// Lookups that fail, as on a share that drops out, are tried on a few
// entries more, not on a whole folder of them.
constexpr int attempts = 4;

} // namespace

std::optional<NameRules::LetterCase> letterCaseOfFolder(
    const QStringList &entries, const std::function<Lookup(const QString &)> &lookUp)
{
    const QSet<QString> names(entries.begin(), entries.end());
    int tried = 0;
    for (const QString &entry : entries) {
        const QString swapped = otherCase(entry);
        if (swapped == entry || names.contains(swapped))
            continue;
        if (++tried > attempts)
            break;
        // An entry gone since the listing would be missing in any case.
        if (lookUp(entry) != Lookup::Found)
            continue;
        switch (lookUp(swapped)) {
        case Lookup::Found:
            return NameRules::LetterCase::Folded;
        case Lookup::Missing:
            return NameRules::LetterCase::Sensitive;
        case Lookup::Failed:
            break;
        }
    }
    return std::nullopt;
}

} // namespace namlex::platform

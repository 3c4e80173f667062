#include "commands/nameholders.h"

namespace namlex {

namespace {

using LetterCase = platform::NameRules::LetterCase;

// A name no entry holds any more. Marking it is much cheaper than taking it
// out of the table, which a run of tens of thousands of files does for
// every entry it renames.
constexpr qsizetype freed = -2;

QString asciiFolded(const QString &name)
{
    QString folded = name;
    for (QChar &c : folded) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    }
    return folded;
}

} // namespace

NameHolders::NameHolders(const QStringList &entries, LetterCase letterCase)
    : letterCase(letterCase)
{
    exact.reserve(entries.size());
    for (const QString &entry : entries)
        add(entry, -1);
}

void NameHolders::add(const QString &name, qsizetype holder)
{
    exact.insert(name, holder);
    if (letterCase != LetterCase::Sensitive)
        folded.insert(name.toCaseFolded(), name);
}

void NameHolders::remove(const QString &name)
{
    if (const auto found = exact.find(name); found != exact.end())
        *found = freed;
    if (letterCase != LetterCase::Sensitive)
        folded.remove(name.toCaseFolded(), name);
}

std::optional<NameHolders::Holder> NameHolders::of(const QString &name) const
{
    if (const auto found = exact.constFind(name); found != exact.constEnd() && *found != freed)
        return Holder {name, *found, true};
    if (letterCase == LetterCase::Sensitive)
        return std::nullopt;
    const auto other = folded.constFind(name.toCaseFolded());
    if (other == folded.constEnd())
        return std::nullopt;
    // Every file system that folds case folds ASCII letters; which other
    // letters it folds depends on its own table.
    const bool certain
        = letterCase == LetterCase::Folded && asciiFolded(*other) == asciiFolded(name);
    return Holder {*other, exact.value(*other), certain};
}

} // namespace namlex

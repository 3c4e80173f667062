#pragma once

#include "platform/namerules.h"

#include <QHash>
#include <QMultiHash>
#include <QString>
#include <QStringList>

#include <optional>

namespace namlex {

// Which entry holds each name of a folder while a run, or its undo, is
// simulated: -1 for an entry the simulation does not move, else the place
// of the step that took the name. Where the file system may fold letter
// case, a name is also found by its folded form.
class NameHolders
{
public:
    NameHolders(const QStringList &entries, platform::NameRules::LetterCase letterCase);

    void add(const QString &name, qsizetype holder);
    void remove(const QString &name);

    struct Holder
    {
        QString name;
        qsizetype holder = -1;
        bool certain = true; // false: only if the file system folds case so
    };
    // Who holds the name, or a name the file system may not tell from it.
    std::optional<Holder> of(const QString &name) const;

private:
    platform::NameRules::LetterCase letterCase;
    QHash<QString, qsizetype> exact;
    QMultiHash<QString, QString> folded;
};

} // namespace namlex

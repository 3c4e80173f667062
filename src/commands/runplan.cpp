#include "commands/runplan.h"

#include "platform/namecodec.h"
#include "platform/paths.h"

#include <QHash>

#include <algorithm>

namespace namlex {

int RunPlan::renames() const
{
    return int(std::count_if(changes.begin(), changes.end(), [](const PlannedRename &change) {
        return change.problem == PlannedRename::Problem::None;
    }));
}

int RunPlan::problems() const
{
    return int(changes.size()) - renames();
}

RunPlan planRun(const QStringList &listNames, const NewNameFunction &newName,
                const QStringList &entries, int maxNameBytes)
{
    using Problem = PlannedRename::Problem;
    RunPlan plan;
    // Who holds each name as the run goes: -1 for an entry that was there
    // before, else the place in plan.changes of the entry that took it.
    QHash<QString, qsizetype> holders;
    holders.reserve(entries.size());
    for (const QString &entry : entries)
        holders.insert(entry, -1);

    for (qsizetype index = 0; index < listNames.size(); ++index) {
        const QString &oldName = listNames.at(index);
        const std::optional<QString> name = newName(oldName);
        if (name && *name == oldName) {
            ++plan.unchanged;
            continue;
        }
        PlannedRename change {{int(index), oldName, name.value_or(QString()), {}},
                              PlannedRename::Problem::None,
                              QString()};
        const auto holder = name ? holders.constFind(*name) : holders.constEnd();
        if (!name) {
            change.problem = Problem::NameTooLongToEdit;
        } else if (!platform::isPlainFileName(*name)) {
            change.problem = Problem::ImpossibleName;
        } else if (platform::encodeName(*name)->size() > maxNameBytes) {
            change.problem = Problem::NameTooLong;
        } else if (holder != holders.constEnd() && *holder < 0) {
            change.problem = Problem::NameTaken;
        } else if (holder != holders.constEnd()) {
            change.problem = Problem::SameNewName;
            change.clashWith = plan.changes.at(*holder).file.oldName;
        } else {
            holders.remove(oldName);
            holders.insert(*name, plan.changes.size());
        }
        plan.changes.append(change);
    }
    return plan;
}

} // namespace namlex

#include "commands/runplan.h"

#include "commands/nameholders.h"
#include "platform/namecodec.h"
#include "platform/paths.h"

#include <QHash>

#include <algorithm>
#include <atomic>
#include <future>

namespace namlex {

namespace {

using platform::Cause;
using platform::NameRules;
using Step = PlannedEntry::Step;

// Whether the name fits the file system: a reason if it does not, or may
// not.
Reason lengthProblem(const QString &name, const NameRules &rules)
{
    const Reason tooLong = platform::Problem {Cause::NameTooLong};
    const qsizetype bytes = *platform::encodedSize(name);
    switch (rules.unit) {
    case NameRules::Unit::Bytes:
        return bytes > rules.maxLength ? tooLong : Reason {};
    case NameRules::Unit::Utf16:
        return name.size() > rules.maxLength ? tooLong : Reason {};
    case NameRules::Unit::Unknown:
        break;
    }
    // No file system takes more than 255 UTF-16 code units; whether it
    // counts bytes is not known.
    if (bytes <= rules.maxLength)
        return {};
    return name.size() > 255 ? tooLong : Reason {Reason::Kind::LengthMayNotFit};
}

// What the folder holds, and how to find out about one entry.
struct FolderState
{
    QStringList entries;
    bool readable = true;
    NameRules rules;
    std::function<std::optional<platform::EntryState>(qsizetype place, const QString &name)> stateOf;
};

// Simulates the entries from `first` on, one after another.
void simulate(RunPlan &plan, qsizetype first, const FolderState &folder)
{
    NameHolders holders(folder.entries, folder.rules.letterCase);
    for (qsizetype place = first; place < plan.entries.size(); ++place) {
        PlannedEntry &entry = plan.entries[place];
        const QString &oldName = entry.file.oldName;
        const QString &newName = entry.file.newName;
        entry.problem = {};
        entry.step = Step::Rename;
        if (!entry.how.tooLongToEdit && newName == oldName) {
            entry.step = Step::Keep;
            continue;
        }
        const std::optional<platform::EntryState> state
            = entry.how.tooLongToEdit ? std::nullopt : folder.stateOf(place, oldName);
        const platform::FileIdentity *identity = state ? &state->identity : nullptr;
        entry.file.identity = identity ? *identity : platform::FileIdentity {};
        const std::optional<NameHolders::Holder> holder
            = entry.how.tooLongToEdit ? std::nullopt : holders.of(newName);
        if (entry.how.tooLongToEdit)
            entry.problem = {Reason::Kind::NameTooLongToEdit};
        else if (!platform::isPlainFileName(newName))
            entry.problem = platform::Problem {Cause::ImpossibleName};
        else if (!identity)
            entry.problem
                = platform::Problem {folder.readable ? Cause::FileGone : Cause::FolderUnreadable};
        else if (identity->kind == platform::EntryKind::Folder
                 || identity->kind == platform::EntryKind::Other)
            entry.problem = platform::Problem {Cause::NotAFile, identity->kind};
        else if (folder.rules.unchangeable != Cause::None)
            entry.problem = platform::Problem {folder.rules.unchangeable};
        else if (state->protection != Cause::None)
            entry.problem = platform::Problem {state->protection};
        else
            entry.problem = lengthProblem(newName, folder.rules);

        if (entry.problem.ok() && holder) {
            const bool sameRun = holder->holder >= 0;
            // The other name is worth saying where it is not the new name itself.
            const QString other = sameRun ? plan.entries.at(holder->holder).file.oldName
                                  : holder->name != newName ? holder->name
                                                            : QString();
            if (!holder->certain)
                entry.problem = {Reason::Kind::CaseMayClash, other};
            else if (sameRun)
                entry.problem = {Reason::Kind::SameNewName, other};
            else
                entry.problem = platform::Problem {Cause::NameTaken, std::nullopt, other};
        }
        if (entry.problem.ok() && folder.rules.mayNotFindRoom(oldName, newName))
            entry.problem = {Reason::Kind::RoomMayRunOut};
        if (!entry.problem.ok() && !entry.problem.uncertain()) {
            entry.step = Step::Fail;
            continue;
        }
        holders.remove(oldName);
        holders.add(newName, place);
    }
}

void computeNames(RunPlan &plan, qsizetype first, const NewNameFunction &newName)
{
    for (qsizetype place = first; place < plan.entries.size(); ++place) {
        PlannedEntry &entry = plan.entries[place];
        entry.how = newName(entry.file.oldName, plan.onlyWithLeadingZero);
        entry.file.newName = entry.how.name;
    }
}

// A name that is taken says by what, as a failed rename says it, so that the
// plan, the error box and the summary tell the same clash alike. Clashes
// are few: looking each holder up costs nothing worth saving.
void sayWhatHoldsTheName(RunPlan &plan, qsizetype first, const Folder &folder)
{
    for (qsizetype place = first; place < plan.entries.size(); ++place) {
        PlannedEntry &entry = plan.entries[place];
        platform::Problem &fact = entry.problem.system;
        if (entry.problem.kind != Reason::Kind::System || fact.cause != Cause::NameTaken)
            continue;
        const QString &holder = fact.otherName.isEmpty() ? entry.file.newName : fact.otherName;
        if (const std::optional<platform::FileIdentity> taker = folder.identityOf(holder))
            fact.kind = taker->kind;
    }
}

FolderState stateOf(const Folder &folder)
{
    FolderState state;
    const std::optional<QStringList> entries = folder.entryNames();
    state.readable = entries.has_value();
    state.entries = entries.value_or(QStringList());
    state.rules = folder.nameRules(state.entries);
    return state;
}

} // namespace

int RunPlan::count(PlannedEntry::Step step) const
{
    return int(std::count_if(entries.begin(), entries.end(),
                             [step](const PlannedEntry &entry) { return entry.step == step; }));
}

int RunPlan::uncertain() const
{
    return int(std::count_if(entries.begin(), entries.end(), [](const PlannedEntry &entry) {
        return entry.step == Step::Rename && entry.problem.uncertain();
    }));
}

RunPlan planRun(const QStringList &names, const NewNameFunction &newName, bool onlyWithLeadingZero,
                const Folder &folder)
{
    RunPlan plan;
    plan.onlyWithLeadingZero = onlyWithLeadingZero;
    plan.entries.reserve(names.size());
    for (qsizetype index = 0; index < names.size(); ++index)
        plan.entries.append(PlannedEntry {{int(index), names.at(index), QString(), {}}});
    // Looking at tens of thousands of files takes longer than working out
    // their new names and reading the folder. A worker starts looking at
    // once; this thread joins it when it is done with the rest, and each
    // takes the next stretch of files until none is left.
    QList<std::optional<platform::EntryState>> found(names.size());
    std::atomic<qsizetype> next = 0;
    const auto look = [&] {
        constexpr qsizetype stretch = 256;
        for (qsizetype from = next.fetch_add(stretch); from < names.size();
             from = next.fetch_add(stretch)) {
            for (qsizetype index = from; index < std::min(from + stretch, names.size()); ++index)
                found[index] = folder.stateOf(names.at(index));
        }
    };
    auto worker = std::async(std::launch::async, look);
    computeNames(plan, 0, newName);
    FolderState state = stateOf(folder);
    look();
    worker.get();
    state.stateOf = [&found](qsizetype place, const QString &) { return found.at(place); };
    simulate(plan, 0, state);
    sayWhatHoldsTheName(plan, 0, folder);
    return plan;
}

bool laterEntriesCountOn(const RunPlan &plan, qsizetype place)
{
    const QString &oldName = plan.entries.at(place).file.oldName;
    return std::any_of(plan.entries.begin() + place + 1, plan.entries.end(),
                       [&oldName](const PlannedEntry &entry) {
                           const Reason &reason = entry.problem;
                           if (reason.kind == Reason::Kind::SameNewName
                               || reason.kind == Reason::Kind::CaseMayClash)
                               return reason.otherName == oldName;
                           // Where letter case may not count, a name in
                           // other letters counts too.
                           return entry.step == Step::Rename
                                  && entry.file.newName.compare(oldName, Qt::CaseInsensitive) == 0;
                       });
}

void replan(RunPlan &plan, qsizetype first, const NewNameFunction &newName,
            bool onlyWithLeadingZero, Folder &folder)
{
    // What was planned to change was looked at then, and nothing of the
    // entry forbade renaming it; what was to stay is looked at now.
    QHash<qsizetype, platform::FileIdentity> known;
    for (qsizetype place = first; place < plan.entries.size(); ++place) {
        if (plan.entries.at(place).step == Step::Rename)
            known.insert(place, plan.entries.at(place).file.identity);
    }
    plan.onlyWithLeadingZero = onlyWithLeadingZero;
    computeNames(plan, first, newName);
    FolderState state = stateOf(folder);
    state.stateOf = [&](qsizetype place, const QString &name) {
        const auto found = known.constFind(place);
        return found != known.constEnd() ? std::optional(platform::EntryState {*found})
                                         : folder.stateOf(name);
    };
    simulate(plan, first, state);
    sayWhatHoldsTheName(plan, first, folder);
}

} // namespace namlex

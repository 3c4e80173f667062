#include "commands/plantable.h"

#include "platform/namecodec.h"
#include "texts/messages.h"

using namespace Qt::StringLiterals;

namespace namlex {

namespace {

using Step = PlannedEntry::Step;

bool failing(const PlannedEntry &entry)
{
    return entry.step == Step::Fail || entry.how.numberingFailed;
}

Reason problemOf(const PlannedEntry &entry)
{
    return entry.step != Step::Fail && entry.how.numberingFailed
               ? Reason {Reason::Kind::NumberingFailed}
               : entry.problem;
}

} // namespace

PlanTable::PlanTable(std::shared_ptr<const RunPlan> plan)
    : plan_(std::move(plan))
{
    QList<int> unsure, renames;
    for (int place = 0; place < plan_->entries.size(); ++place) {
        const PlannedEntry &entry = plan_->entries.at(place);
        if (failing(entry)) {
            rows_.append(place);
            failures_ += entry.step == Step::Rename ? 0 : 1;
        } else if (entry.step == Step::Rename) {
            (entry.problem.uncertain() ? unsure : renames).append(place);
        }
    }
    uncertain_ = int(unsure.size());
    rows_ += unsure + renames;
}

QString PlanTable::counts() const
{
    const int renames = plan_->count(Step::Rename);
    return messages::planCounts(renames, int(plan_->entries.size()) - renames - failures_,
                                failures_, uncertain_);
}

QStringList PlanTable::headers() const
{
    return messages::planHeaders();
}

int PlanTable::rowCount() const
{
    return int(rows_.size());
}

const PlannedEntry &PlanTable::entry(int row) const
{
    return plan_->entries.at(rows_.at(row));
}

QString PlanTable::cell(int row, int column) const
{
    const PlannedEntry &planned = entry(row);
    switch (column) {
    case 0:
        if (planned.step == Step::Fail)
            return messages::failStep();
        if (planned.step == Step::Keep)
            return messages::keepStep();
        return planned.problem.uncertain() ? messages::uncertainStep() : messages::renameStep();
    case 1:
        return platform::displayName(planned.file.oldName);
    case 2:
        return platform::displayName(planned.file.newName);
    default:
        return messages::causeText(problemOf(planned));
    }
}

bool PlanTable::marked(int row) const
{
    return failing(entry(row));
}

QString PlanTable::text() const
{
    QString text;
    for (int row = 0; row < rowCount(); ++row) {
        text += cell(row, 1) + u" → "_s + cell(row, 2);
        const QString reason = cell(row, 3);
        if (!reason.isEmpty())
            text += u": "_s + reason;
        text += u'\n';
    }
    return text;
}

} // namespace namlex

#pragma once

#include "texts/prompter.h"
#include "commands/runplan.h"

#include <memory>

namespace namlex {

// The plan of a run as its question shows it: first the entries that cannot
// be renamed, marked, then those the plan cannot be sure of, then every
// rename; each with what happens, the old and the new name, and why.
class PlanTable : public DetailTable
{
public:
    explicit PlanTable(std::shared_ptr<const RunPlan> plan);

    // "12 Dateien werden umbenannt, 3 Dateien bleiben unverändert, 1 Datei kann
    // nicht umbenannt werden."
    QString counts() const;

    QStringList headers() const override;
    int rowCount() const override;
    QString cell(int row, int column) const override;
    bool marked(int row) const override;
    QString text() const override;

private:
    const PlannedEntry &entry(int row) const;

    std::shared_ptr<const RunPlan> plan_;
    QList<int> rows_; // the plan's entries in the order shown
    int failures_ = 0;
    int uncertain_ = 0;
};

} // namespace namlex

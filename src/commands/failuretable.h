#pragma once

#include "texts/reason.h"
#include "texts/prompter.h"

#include <QList>

namespace namlex {

// The files a run could not rename, as its summary's details list them:
// each with its name, the new name it was to get, and why it did not.
class FailureTable : public DetailTable
{
public:
    struct Row
    {
        QString oldName;
        QString newName;
        Reason problem;
    };
    explicit FailureTable(QList<Row> rows);

    QStringList headers() const override;
    int rowCount() const override;
    QString cell(int row, int column) const override;
    bool marked(int row) const override;
    QString text() const override;

private:
    QList<Row> rows_;
};

} // namespace namlex

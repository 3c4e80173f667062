#include "commands/failuretable.h"

#include "platform/namecodec.h"
#include "texts/messages.h"

using namespace Qt::StringLiterals;

namespace namlex {

FailureTable::FailureTable(QList<Row> rows)
    : rows_(std::move(rows))
{ }

QStringList FailureTable::headers() const
{
    return messages::failureHeaders();
}

int FailureTable::rowCount() const
{
    return int(rows_.size());
}

QString FailureTable::cell(int row, int column) const
{
    const Row &failure = rows_.at(row);
    switch (column) {
    case 0:
        return platform::displayName(failure.oldName);
    case 1:
        return platform::displayName(failure.newName);
    default:
        return messages::causeText(failure.problem);
    }
}

bool FailureTable::marked(int) const
{
    return true;
}

QString FailureTable::text() const
{
    QString text;
    for (int row = 0; row < rowCount(); ++row)
        text += cell(row, 0) + u" → "_s + cell(row, 1) + u": "_s + cell(row, 2) + u'\n';
    return text;
}

} // namespace namlex

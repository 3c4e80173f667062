#include "results.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace namlex::bench {

double median(QList<double> values)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const qsizetype middle = values.size() / 2;
    return values.size() % 2 ? values.at(middle) : (values.at(middle - 1) + values.at(middle)) / 2;
}

double largest(const QList<double> &values)
{
    return values.isEmpty() ? 0 : *std::max_element(values.begin(), values.end());
}

void ResultTable::add(const QString &figure, double value, const QString &unit, double target,
                      const QString &note)
{
    const int decimals = value < 10 ? 2 : 1;
    const QString measured = QString::number(value, 'f', decimals) + unit;
    QString goal = u"—"_s;
    QString verdict = u"—"_s;
    if (target > 0) {
        goal = u"≤ "_s + QString::number(target) + unit;
        verdict = value <= target ? u"met"_s : u"**missed**"_s;
        missed += value <= target ? 0 : 1;
    }
    rows.append(u"| %1 | %2 | %3 | %4 | %5 |"_s.arg(figure, measured, goal, verdict, note));
}

QString ResultTable::markdown() const
{
    return u"| Figure | Measured | Target | | Notes |\n|---|---:|---|---|---|\n"_s
           + rows.join(u'\n') + u'\n';
}

} // namespace namlex::bench

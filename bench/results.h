#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QString>
#include <QStringList>

namespace namlex::bench {

inline double elapsedMs(const QElapsedTimer &clock)
{
    return double(clock.nsecsElapsed()) / 1e6;
}

double median(QList<double> values);
double largest(const QList<double> &values);

// One Markdown table of figures, each with its target where there is one.
class ResultTable
{
public:
    // `target` is an upper limit; 0 means "no target".
    void add(const QString &figure, double value, const QString &unit, double target = 0,
             const QString &note = QString());
    QString markdown() const;
    bool allTargetsMet() const { return missed == 0; }

private:
    QStringList rows;
    int missed = 0;
};

} // namespace namlex::bench

#include "window/shownelide.h"

#include "platform/namecodec.h"

#include <QList>

using namespace Qt::StringLiterals;

namespace namlex {

namespace {

// A piece of a shown name that is kept or cut as a whole.
struct Unit
{
    qsizetype at;
    qsizetype length;
    bool mark;
    int width;
};

QList<Unit> unitsOf(const QString &shown, const QFontMetrics &metrics)
{
    QList<Unit> units;
    for (qsizetype at = 0; at < shown.size();) {
        const qsizetype length = platform::shownUnitLength(shown, at);
        units.append({at, length, platform::isMarkAt(shown, at),
                      metrics.horizontalAdvance(shown.mid(at, length))});
        at += length;
    }
    return units;
}

// The units kept: the first `left` and the last `right`.
struct Kept
{
    qsizetype left = 0;
    qsizetype right = 0;
};

int widthOf(const QList<Unit> &units, qsizetype from, qsizetype to)
{
    int width = 0;
    for (qsizetype i = from; i < to; ++i)
        width += units.at(i).width;
    return width;
}

// Fills the room left beside what is kept already, from the left, the
// right or both sides in turn, as far as whole units go.
Kept fill(const QList<Unit> &units, int room, Kept kept, bool fromLeft, bool fromRight)
{
    const qsizetype count = units.size();
    int used = widthOf(units, 0, kept.left) + widthOf(units, count - kept.right, count);
    int leftWidth = 0, rightWidth = 0;
    while (kept.left + kept.right < count) {
        const bool takeLeft = fromLeft && (!fromRight || leftWidth <= rightWidth);
        const Unit &next = takeLeft ? units.at(kept.left) : units.at(count - 1 - kept.right);
        if (used + next.width > room)
            break;
        used += next.width;
        (takeLeft ? leftWidth : rightWidth) += next.width;
        ++(takeLeft ? kept.left : kept.right);
    }
    return kept;
}

bool keepsAMark(const QList<Unit> &units, Kept kept)
{
    for (qsizetype i = 0; i < units.size(); ++i) {
        if (units.at(i).mark && (i < kept.left || i >= units.size() - kept.right))
            return true;
    }
    return false;
}

} // namespace

QString elideShown(const QString &shown, const QFontMetrics &metrics, int width,
                   Qt::TextElideMode mode)
{
    if (mode == Qt::ElideNone || metrics.horizontalAdvance(shown) <= width)
        return shown;
    const QString ellipsis = u"…"_s;
    const int room = width - metrics.horizontalAdvance(ellipsis);
    const QList<Unit> units = unitsOf(shown, metrics);
    const qsizetype count = units.size();
    const bool fromLeft = mode != Qt::ElideLeft;
    const bool fromRight = mode != Qt::ElideRight;
    Kept kept = fill(units, room, {}, fromLeft, fromRight);

    qsizetype firstMark = -1, lastMark = -1;
    for (qsizetype i = 0; i < count; ++i) {
        if (units.at(i).mark) {
            lastMark = i;
            firstMark = firstMark < 0 ? i : firstMark;
        }
    }
    if (firstMark >= 0 && !keepsAMark(units, kept)) {
        // Keep the start up to the first mark, or the end from the last one,
        // whichever fits; else the mark alone between two ellipses.
        const Kept toFirst {firstMark + 1, 0};
        const Kept fromLast {0, count - lastMark};
        const bool firstFits = widthOf(units, 0, firstMark + 1) <= room;
        const bool lastFits = widthOf(units, lastMark, count) <= room;
        if (firstFits && (fromLeft || !lastFits))
            kept = fill(units, room, toFirst, false, fromRight);
        else if (lastFits)
            kept = fill(units, room, fromLast, fromLeft, false);
        else
            return ellipsis + shown.mid(units.at(firstMark).at, units.at(firstMark).length)
                   + ellipsis;
    }
    const qsizetype rightStart = kept.right == 0 ? shown.size() : units.at(count - kept.right).at;
    const qsizetype leftEnd
        = kept.left == 0 ? 0 : units.at(kept.left - 1).at + units.at(kept.left - 1).length;
    return shown.left(leftEnd) + ellipsis + shown.mid(rightStart);
}

} // namespace namlex

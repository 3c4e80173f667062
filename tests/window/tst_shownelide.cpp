#include "platform/namecodec.h"
#include "window/shownelide.h"

#include <QApplication>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace namlex;

namespace {

// Where a piece of the shown name may end: after a whole mark, a doubled
// bracket or a surrogate pair.
QList<qsizetype> cutsOf(const QString &shown)
{
    QList<qsizetype> cuts {0};
    for (qsizetype at = 0; at < shown.size();)
        cuts.append(at += platform::shownUnitLength(shown, at));
    return cuts;
}

} // namespace

class TestShownElide : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A shortened name is its start, "…" and its end, cut only between
    // marks, and keeps a mark where it has one.
    void neverCutsAMark_data()
    {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("room"); // as wide as this text
        QTest::addColumn<Qt::TextElideMode>("mode");
        QTest::addColumn<QString>("mark"); // one of the marks that stays in view
        const auto middle = Qt::ElideMiddle, right = Qt::ElideRight;
        QTest::newRow("line break, cut in the middle")
            << u"06 - Zeilen[U+000A]bruch.mp3"_s << u"06 - Zeilen[U+0"_s << middle << u"[U+000A]"_s;
        QTest::newRow("line break, too narrow for the start")
            << u"06 - Zeil_langer_Titel_Zeilen[U+000A]bruch.mp3"_s << u"06 - Zeil…bruch"_s << middle
            << u"[U+000A]"_s;
        QTest::newRow("byte that is not UTF-8, cut at the right")
            << u"M[ä]dchen und mehr.mp3"_s << u"M[ä"_s << right << u"[ä]"_s;
        QTest::newRow("byte order mark at the start")
            << u"[BOM]07_Anfang_mit_BOM.mp3"_s << u"[BOM]07"_s << middle << u"[BOM]"_s;
        QTest::newRow("run of bytes")
            << u"Lied [äöü] Ende.mp3"_s << u"Lied [äö"_s << middle << u"[äöü]"_s;
        QTest::newRow("doubled bracket is no mark")
            << u"Titel M[[ä]dchen.mp3"_s << u"Titel M[[ä"_s << middle << QString();
        QTest::newRow("no mark") << u"01 - Erstes_Lied.mp3"_s << u"01 - Ers"_s << middle
                                 << QString();
    }
    void neverCutsAMark()
    {
        QFETCH(QString, shown);
        QFETCH(QString, room);
        QFETCH(Qt::TextElideMode, mode);
        QFETCH(QString, mark);
        const QFontMetrics metrics(QApplication::font());
        const int width = metrics.horizontalAdvance(room);
        QVERIFY(metrics.horizontalAdvance(shown) > width);
        const QString elided = elideShown(shown, metrics, width, mode);
        const qsizetype ellipsis = elided.indexOf(u'…');
        QVERIFY2(ellipsis >= 0, qPrintable(elided));
        if (!mark.isEmpty()) {
            QVERIFY2(elided.contains(mark) || elided == u"…"_s + mark + u"…"_s, qPrintable(elided));
            if (elided.count(u'…') == 2)
                return;
        }
        QVERIFY2(metrics.horizontalAdvance(elided) <= width, qPrintable(elided));
        const QString start = elided.left(ellipsis);
        const QString end = elided.mid(ellipsis + 1);
        QVERIFY(shown.startsWith(start) && shown.endsWith(end));
        const QList<qsizetype> cuts = cutsOf(shown);
        QVERIFY2(cuts.contains(start.size()), qPrintable(elided));
        QVERIFY2(cuts.contains(shown.size() - end.size()), qPrintable(elided));
    }

    void fittingNameStaysWhole()
    {
        const QFontMetrics metrics(QApplication::font());
        const QString shown = u"M[ä]dchen.mp3"_s;
        QCOMPARE(elideShown(shown, metrics, metrics.horizontalAdvance(shown), Qt::ElideMiddle),
                 shown);
    }
};

QTEST_MAIN(TestShownElide)
#include "tst_shownelide.moc"

#include "commands/messages.h"
#include "commands/runplan.h"
#include "platform/namecodec.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace namlex;

namespace {

// One line per changed entry: "old>new", and ": problem" where it fails.
QStringList outline(const RunPlan &plan)
{
    static const QStringList problems {u""_s,           u"taken"_s,    u"same as "_s,
                                       u"impossible"_s, u"too long"_s, u"too long to edit"_s};
    QStringList lines;
    for (const PlannedRename &change : plan.changes) {
        QString line = change.file.oldName + u'>' + change.file.newName;
        if (change.problem != PlannedRename::Problem::None)
            line += u": "_s + problems.at(int(change.problem)) + change.clashWith;
        lines.append(line);
    }
    return lines;
}

} // namespace

class TestRunPlan : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The run is simulated entry by entry, in list order.
    void simulatesTheRun_data()
    {
        QTest::addColumn<QStringList>("list");
        QTest::addColumn<QStringList>("newNames"); // "-": cannot be computed
        QTest::addColumn<QStringList>("others"); // further entries of the folder
        QTest::addColumn<QStringList>("outline");
        QTest::addColumn<int>("unchanged");
        const QString long255(255, u'x');
        QTest::newRow("a name an earlier entry frees counts as free")
            << QStringList {u"a"_s, u"c"_s} << QStringList {u"b"_s, u"a"_s} << QStringList()
            << QStringList {u"a>b"_s, u"c>a"_s} << 0;
        QTest::newRow("a name an earlier entry takes counts as taken")
            << QStringList {u"a"_s, u"c"_s} << QStringList {u"b"_s, u"b"_s} << QStringList()
            << QStringList {u"a>b"_s, u"c>b: same as a"_s} << 0;
        QTest::newRow("a name a later entry still holds is taken")
            << QStringList {u"a"_s, u"b"_s} << QStringList {u"b"_s, u"c"_s} << QStringList()
            << QStringList {u"a>b: taken"_s, u"b>c"_s} << 0;
        QTest::newRow("an entry outside the list holds the name")
            << QStringList {u"a"_s} << QStringList {u"Ordner"_s} << QStringList {u"Ordner"_s}
            << QStringList {u"a>Ordner: taken"_s} << 0;
        QTest::newRow("names that cannot exist")
            << QStringList {u"a"_s, u"b"_s, u"c"_s, u"d"_s}
            << QStringList {QString(), u".."_s, u"x/y"_s, u"-"_s} << QStringList()
            << QStringList {u"a>: impossible"_s, u"b>..: impossible"_s, u"c>x/y: impossible"_s,
                            u"d>: too long to edit"_s}
            << 0;
        QTest::newRow("too long for the file system, counted in bytes")
            << QStringList {u"a"_s, u"b"_s, u"c"_s}
            << QStringList {long255, long255.left(254) + u'ä', QString(127, u'ä')} << QStringList()
            << QStringList {u"a>"_s + long255, u"b>"_s + long255.left(254) + u"ä: too long"_s,
                            u"c>"_s + QString(127, u'ä')}
            << 0;
        QTest::newRow("unchanged entries are only counted")
            << QStringList {u"a"_s, u"b"_s} << QStringList {u"a"_s, u"x"_s} << QStringList()
            << QStringList {u"b>x"_s} << 1;
    }

    void simulatesTheRun()
    {
        QFETCH(QStringList, list);
        QFETCH(QStringList, newNames);
        QFETCH(QStringList, others);
        QFETCH(QStringList, outline);
        QFETCH(int, unchanged);
        const RunPlan plan = planRun(
            list,
            [&](const QString &name) -> std::optional<QString> {
                const QString next = newNames.at(list.indexOf(name));
                return next == u"-" ? std::nullopt : std::optional(next);
            },
            list + others, 255);
        QCOMPARE(::outline(plan), outline);
        QCOMPARE(plan.unchanged, unchanged);
    }

    // Failures come first, then the changes; names show as the list shows
    // them, and a long plan is cut with a line that says how much more.
    void detailsOfThePlan()
    {
        QStringList list {platform::decodeName("01_Lied \xe4.mp3"), u"02_b.mp3"_s, u"b.mp3"_s};
        for (int i = 0; i < messages::planLines + 1; ++i)
            list.append(u"00_x%1"_s.arg(i));
        // Takes away what stands before the first underscore.
        const auto newName = [](const QString &name) {
            return std::optional(name.contains(u'_') ? name.section(u'_', 1) : name);
        };
        const RunPlan plan = planRun(list, newName, list, 255);
        const QStringList lines = messages::planDetails(plan).split(u'\n');
        QCOMPARE(lines.at(0), u"1002 Dateien werden umbenannt, 1 bleibt, wie sie ist, "
                              u"1 kann nicht umbenannt werden."_s);
        QCOMPARE(lines.at(2), u"02_b.mp3 → b.mp3: der Name ist schon vergeben"_s);
        QCOMPARE(lines.at(3), u"01_Lied \uFFFD.mp3 → Lied \uFFFD.mp3"_s);
        QCOMPARE(lines.size(), 2 + messages::planLines + 2);
        QCOMPARE(lines.at(lines.size() - 2), u"… und 3 weitere."_s);
    }
};

QTEST_MAIN(TestRunPlan)
#include "tst_runplan.moc"

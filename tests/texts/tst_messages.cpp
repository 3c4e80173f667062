#include "texts/messages.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace namlex;

namespace {

// The texts that carry a count, each with the others held still.
enum class Counted {
    PlanRenames,
    PlanUncertain, // of 2 renames
    PlanKept, // beside 1 rename
    PlanFailures, // beside 1 rename
    BothSummaryFailures, // the line after the specified ones
    SingleSummaryFailures,
    UndoQuestionRenames,
    UndoQuestionLeft, // beside 1 rename
    UndoSummaryRestored,
    UndoSummaryFailures, // beside 1 restored
    UndoSummaryKept, // of as many failures
    UndoMenuEntry,
    UndoStopped,
};

// What a summary adds to its specified lines.
QString addedLines(const Message &summary, int specifiedLines)
{
    return summary.text.section(u'\r', specifiedLines);
}

QString text(Counted counted, int count)
{
    using messages::Tally;
    using messages::UndoTally;
    RecordedRun run;
    run.finished = true;
    UndoTally undo;
    undo.restored = 1;
    const UndoTally::Failure failure {JournalEntry {},
                                      platform::Problem {platform::Cause::FileGone}};
    switch (counted) {
    case Counted::PlanRenames:
        return messages::planCounts(count, 0, 0, 0);
    case Counted::PlanUncertain:
        return messages::planCounts(2, 0, 0, count);
    case Counted::PlanKept:
        return messages::planCounts(1, count, 0, 0);
    case Counted::PlanFailures:
        return messages::planCounts(1, 0, count, 0);
    case Counted::BothSummaryFailures:
        return addedLines(messages::bothSummary(Tally {3 + count, 1, count, 2, 2}), 5);
    case Counted::SingleSummaryFailures:
        return addedLines(messages::singleSummary(Tally {3 + count, 1, count, 2, 2}), 4);
    case Counted::UndoQuestionRenames:
        return messages::undoQuestion(run, {count, 0}).informative;
    case Counted::UndoQuestionLeft:
        return messages::undoQuestion(run, {1, count}).informative;
    case Counted::UndoSummaryRestored:
        undo.restored = count;
        return messages::undoSummary(undo).text;
    case Counted::UndoSummaryFailures:
        undo.failures = QList<UndoTally::Failure>(count, failure);
        return messages::undoSummary(undo).text;
    case Counted::UndoSummaryKept:
        undo.failures = QList<UndoTally::Failure>(count, failure);
        undo.kept = count;
        return messages::undoSummary(undo).text;
    case Counted::UndoMenuEntry:
        return messages::undoMenuEntry(u"both"_s, count);
    case Counted::UndoStopped:
        return messages::undoStopped(count);
    }
    return QString();
}

} // namespace

// Every text the program writes with a count reads right for none, one and
// two: "1 Datei", never "1 Dateien". The summary's fixed lines are not here:
// they keep their plural, as users have always read them.
class TestMessages : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void countedTexts_data()
    {
        QTest::addColumn<Counted>("counted");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("expected");
        const auto rows = [](const char *name, Counted counted, const QStringList &texts) {
            for (int count = 0; count < 3; ++count)
                QTest::addRow("%s, %d", name, count) << counted << count << texts.at(count);
        };
        rows("plan: renames", Counted::PlanRenames,
             {u"0 Dateien werden umbenannt."_s, u"1 Datei wird umbenannt."_s,
              u"2 Dateien werden umbenannt."_s});
        rows("plan: unsure", Counted::PlanUncertain,
             {u"2 Dateien werden umbenannt."_s, u"2 Dateien werden umbenannt (davon 1 unsicher)."_s,
              u"2 Dateien werden umbenannt (davon 2 unsicher)."_s});
        rows("plan: kept", Counted::PlanKept,
             {u"1 Datei wird umbenannt."_s, u"1 Datei wird umbenannt, 1 Datei bleibt unverändert."_s,
              u"1 Datei wird umbenannt, 2 Dateien bleiben unverändert."_s});
        rows("plan: failures", Counted::PlanFailures,
             {u"1 Datei wird umbenannt."_s,
              u"1 Datei wird umbenannt, 1 Datei kann nicht umbenannt werden."_s,
              u"1 Datei wird umbenannt, 2 Dateien können nicht umbenannt werden."_s});
        const QStringList notRenamed {QString(), u"1 Datei konnte nicht umbenannt werden."_s,
                                      u"2 Dateien konnten nicht umbenannt werden."_s};
        rows("summary of both: failures", Counted::BothSummaryFailures, notRenamed);
        rows("summary of one: failures", Counted::SingleSummaryFailures, notRenamed);
        rows("undo question: renames", Counted::UndoQuestionRenames,
             {u"0 Dateien bekommen ihren alten Namen zurück."_s,
              u"1 Datei bekommt ihren alten Namen zurück."_s,
              u"2 Dateien bekommen ihren alten Namen zurück."_s});
        rows("undo question: left", Counted::UndoQuestionLeft,
             {u"1 Datei bekommt ihren alten Namen zurück."_s,
              u"1 Datei bekommt ihren alten Namen zurück. 1 Datei behält ihren jetzigen Namen "
              u"(siehe Details)."_s,
              u"1 Datei bekommt ihren alten Namen zurück. 2 Dateien behalten ihren jetzigen Namen "
              u"(siehe Details)."_s});
        rows("undo summary: restored", Counted::UndoSummaryRestored,
             {u"0 Dateien haben ihren alten Namen wieder."_s,
              u"1 Datei hat ihren alten Namen wieder."_s,
              u"2 Dateien haben ihren alten Namen wieder."_s});
        const QString oneBack = u"1 Datei hat ihren alten Namen wieder."_s;
        rows("undo summary: failures", Counted::UndoSummaryFailures,
             {oneBack, oneBack + u"\r1 Datei konnte nicht umbenannt werden."_s,
              oneBack + u"\r2 Dateien konnten nicht umbenannt werden."_s});
        rows("undo summary: to try again", Counted::UndoSummaryKept,
             {oneBack,
              oneBack
                  + u"\r1 Datei konnte nicht umbenannt werden.\rFür 1 Datei lässt es sich mit "
                    u"Strg+Z noch einmal versuchen, sobald die Ursache behoben ist."_s,
              oneBack
                  + u"\r2 Dateien konnten nicht umbenannt werden.\rFür 2 Dateien lässt es sich "
                    u"mit Strg+Z noch einmal versuchen, sobald die Ursache behoben ist."_s});
        rows("undo menu entry", Counted::UndoMenuEntry,
             {u"Rückgängig: Beides tun, 0 Dateien"_s, u"Rückgängig: Beides tun, 1 Datei"_s,
              u"Rückgängig: Beides tun, 2 Dateien"_s});
        const QString stillToDo = u" noch ihren neuen Namen. Mit Strg+Z lässt sich auch das "
                                  u"rückgängig machen."_s;
        rows("undo stopped", Counted::UndoStopped,
             {u"Abgebrochen: 0 Dateien haben"_s + stillToDo,
              u"Abgebrochen: 1 Datei hat"_s + stillToDo,
              u"Abgebrochen: 2 Dateien haben"_s + stillToDo});
    }

    void countedTexts()
    {
        QFETCH(Counted, counted);
        QFETCH(int, count);
        QFETCH(QString, expected);
        QCOMPARE(text(counted, count), expected);
    }
};

QTEST_GUILESS_MAIN(TestMessages)
#include "tst_messages.moc"

#include "commandbench.h"
#include "filesizelimit.h"
#include "rawfiles.h"

#include "commands/renamecommands.h"
#include "texts/messages.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstdio>
#include <QLocale>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace namlex;
using namespace namlex::test;

namespace {

Message question(const QString &text, const QString &title)
{
    return {text, title, Buttons::YesNo, MessageIcon::Question};
}

Message report(const QString &text, const QString &title)
{
    return {text, title, Buttons::Ok, MessageIcon::None};
}

Message renameError(const QString &name)
{
    return {u"Fehler beim Umbenennen der Datei "_s + name
                + u", evtl. Schreibgeschützt.\rSoll mit der nächsten Datei fortgefahren werden?"_s,
            u"Fehler geortet!"_s, Buttons::YesNo, MessageIcon::Warning};
}

const QString head = u"Dateioperationen abgeschlossen. Es wurden:\r"_s;
const QString rest = u" nicht umbenenannt, weil ihre Werte in akzeptablen Parametern liegen."_s;

QString singleText(int n, int renamed, int unchanged)
{
    return head
           + u"%1 Dateien ausgewählt,\r%2 Dateien umbenannt und\r%3"_s.arg(n).arg(renamed).arg(
               unchanged)
           + rest;
}

QString bothText(int n, int numbering, int underscores, int unchanged)
{
    return head
           + u"%1 Dateien ausgewählt,\rbei %2 Dateien die Nummerierung gelöscht,\rbei %3 Dateien die Unterstriche durch Leerzeichen ersetzt und\r%4 Dateien"_s
                 .arg(n)
                 .arg(numbering)
                 .arg(underscores)
                 .arg(unchanged)
           + rest;
}

QString title(const QString &percent)
{
    return u"Ergebnis des Wartens: "_s + percent + u"% Umbenannt"_s;
}

} // namespace

class TestRenameCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    // Nothing is walked or renamed when the list is empty, before or after
    // the question, or when the question is answered with No.
    void checksBeforeRenaming_data()
    {
        QTest::addColumn<Command>("command");
        QTest::addColumn<bool>("allFiles");
        QTest::addColumn<QList<QByteArray>>("files");
        QTest::addColumn<bool>("emptiedWhileAsking");
        QTest::addColumn<QList<Message>>("boxes");
        const QString allTitle = u"'Alle Dateien' ausgewählt"_s;
        const Message oneLine = question(
            u"Sollen alle Dateien, auch ohne .mp3- und .wma-Endung, umbenannt werden?"_s, allTitle);
        const Message none = report(u"Keine Dateien im Ordner."_s, u"Fatal Error"_s);
        const Message switchHint = report(
            u"Es werden keine Dateien angezeigt, evtl. auf 'Alle Dateien' umschalten, um den gesamten Ordnerinhalt angezeigt zu bekommen."_s,
            u"Fatal Error"_s);
        const Command both {runBothCommand}, numbers {runNumbersCommand},
            underscores {runUnderscoresCommand};
        const QList<QByteArray> files {"01_a.mp3", "02_b.wma", "03_c.txt"};
        const QList<QByteArray> noMusic {"01_notes.txt"};
        const Message bothMusic = question(u"Wirklich umbenennen?"_s, u"Bestätigung!"_s);
        const Message numbersMusic = question(u"Wirklich umbenennen?"_s, u"Bestätigung"_s);
        const Message underscoresMusic = question(
            u"Wirklich die Unterstriche durch Leerzeichen ersetzen?"_s, u"Bestätigung"_s);
        QTest::newRow("both, music only, no")
            << both << false << files << false << QList<Message> {bothMusic};
        QTest::newRow("both, all files, no")
            << both << true << files << false
            << QList<Message> {question(
                   u"Soll bei allen Dateien, auch ohne .mp3- und .wma-Endung,\rdie Nummerierung gelöscht und Unterstriche durch Leerzeichen ersetzt werden?"_s,
                   allTitle)};
        QTest::newRow("numbers, music only, no")
            << numbers << false << files << false << QList<Message> {numbersMusic};
        QTest::newRow("numbers, all files, no")
            << numbers << true << files << false << QList<Message> {oneLine};
        QTest::newRow("underscores, music only, no")
            << underscores << false << files << false << QList<Message> {underscoresMusic};
        QTest::newRow("underscores, all files, no")
            << underscores << true << files << false << QList<Message> {oneLine};
        QTest::newRow("both, empty folder")
            << both << true << QList<QByteArray> {} << false << QList<Message> {none};
        QTest::newRow("both, no music")
            << both << false << noMusic << false << QList<Message> {switchHint};
        QTest::newRow("numbers, empty folder")
            << numbers << true << QList<QByteArray> {} << false << QList<Message> {none};
        QTest::newRow("numbers, no music")
            << numbers << false << noMusic << false << QList<Message> {switchHint};
        QTest::newRow("underscores, empty folder")
            << underscores << true << QList<QByteArray> {} << false << QList<Message> {none};
        QTest::newRow("underscores, no music")
            << underscores << false << noMusic << false << QList<Message> {switchHint};
        QTest::newRow("both, emptied while asking")
            << both << false << QList<QByteArray> {"01_a.mp3"} << true
            << QList<Message> {bothMusic, switchHint};
        QTest::newRow("numbers, emptied while asking")
            << numbers << false << QList<QByteArray> {"01_a.mp3"} << true
            << QList<Message> {numbersMusic, switchHint};
        QTest::newRow("underscores, emptied while asking")
            << underscores << false << QList<QByteArray> {"01_a.mp3"} << true
            << QList<Message> {underscoresMusic, switchHint};
    }

    void checksBeforeRenaming()
    {
        QFETCH(Command, command);
        QFETCH(bool, allFiles);
        QFETCH(QList<QByteArray>, files);
        QFETCH(bool, emptiedWhileAsking);
        QFETCH(QList<Message>, boxes);
        Bench bench(allFiles, files);
        QList<QByteArray> after = bench.names();
        bench.prompter.answers = {emptiedWhileAsking ? Answer::Yes : Answer::No};
        if (emptiedWhileAsking) {
            // Another program moves the file away while the question is open,
            // and the list is re-read before the answer.
            after = {"a.txt"};
            bench.prompter.onAsk = [&bench](const Message &) {
                QVERIFY(QFile::rename(bench.dir.filePath(u"01_a.mp3"_s),
                                      bench.dir.filePath(u"a.txt"_s)));
                bench.list.refresh();
                bench.prompter.onAsk = nullptr;
            };
        }
        bench.run(command);
        QCOMPARE(bench.prompter.boxes(), boxes);
        QCOMPARE(bench.names(), after);
        QCOMPARE(bench.list.selections, QList<int>());
    }

    void runRenamesAndReports_data()
    {
        QTest::addColumn<Command>("command");
        QTest::addColumn<bool>("allFiles");
        QTest::addColumn<bool>("leadingZeroOnly");
        QTest::addColumn<QList<QByteArray>>("before");
        QTest::addColumn<QList<QByteArray>>("after");
        QTest::addColumn<QString>("summary");
        QTest::addColumn<QString>("percent");

        QTest::newRow("both: numbering, underscores, both and neither")
            << Command {runBothCommand} << false << true
            << QList<QByteArray> {"01 - Titel_eins.mp3", "02_Zwei.mp3", "Drei.mp3",
                                  "Vier_Fuenf.wma", "05_notes.txt"}
            << QList<QByteArray> {"05_notes.txt", "Drei.mp3", "Titel eins.mp3", "Vier Fuenf.wma",
                                  "Zwei.mp3"}
            << bothText(4, 2, 2, 1) << u"75.0"_s;
        QTest::newRow("both: renamed files that drop out of the filter still count")
            << Command {runBothCommand} << false << true
            << QList<QByteArray> {"01.mp3", "02 - b.mp3"} << QList<QByteArray> {"b.mp3", "mp3"}
            << bothText(2, 2, 0, 0) << u"100.0"_s;
        QTest::newRow("both: a list of one entry")
            << Command {runBothCommand} << true << true << QList<QByteArray> {"plain"}
            << QList<QByteArray> {"plain"} << bothText(1, 0, 0, 1) << u"0.0"_s;
        QTest::newRow("numbers without the leading-zero restriction")
            << Command {runNumbersCommand} << true << false
            << QList<QByteArray> {"1. Intro.mp3", "89er's - Kingston Town.mp3", "Titel.txt"}
            << QList<QByteArray> {"Intro.mp3", "Titel.txt", "er's - Kingston Town.mp3"}
            << singleText(3, 2, 1) << u"66.7"_s;
        QTest::newRow("numbers keeps every name without a leading zero")
            << Command {runNumbersCommand} << false << true
            << QList<QByteArray> {"1. Intro.mp3", "10 - X.mp3"}
            << QList<QByteArray> {"1. Intro.mp3", "10 - X.mp3"} << singleText(2, 0, 2) << u"0.0"_s;
        QTest::newRow("underscores only")
            << Command {runUnderscoresCommand} << false << true
            << QList<QByteArray> {"A_b.mp3", "__C.mp3", "D.mp3", "0_1.mp3"}
            << QList<QByteArray> {"0 1.mp3", "A b.mp3", "C.mp3", "D.mp3"} << singleText(4, 3, 1)
            << u"75.0"_s;
    }

    void runRenamesAndReports()
    {
        QFETCH(Command, command);
        QFETCH(bool, allFiles);
        QFETCH(bool, leadingZeroOnly);
        QFETCH(QList<QByteArray>, before);
        QFETCH(QList<QByteArray>, after);
        QFETCH(QString, summary);
        QFETCH(QString, percent);
        Bench bench(allFiles, before);
        bench.choices.leadingZeroOnly = leadingZeroOnly;
        bench.prompter.answers = {Answer::Yes};
        const int listed = bench.list.count();
        bench.run(command);

        QCOMPARE(bench.names(), after);
        QCOMPARE(bench.prompter.boxes().size(), 2);
        QCOMPARE(bench.prompter.boxes().last(), report(summary, title(percent)));
        // The run clears the selection and works from its plan; the list is
        // read again once, at the end, and keeps the last entry visited
        // selected where it still has so many.
        const QList<int> selections
            = listed <= bench.list.count() ? QList<int> {-1, listed - 1} : QList<int> {-1};
        QCOMPARE(bench.list.selections, selections);
        QCOMPARE(bench.list.refreshes, 2);
        // Renamed files keep their content.
        for (const QByteArray &name : after)
            QVERIFY(!readRawFile(bench.raw(), name).startsWith("<missing>"));
    }

    void existingTargetIsNeverReplaced_data()
    {
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<QList<QByteArray>>("after");
        QTest::newRow("yes goes on with the next file")
            << Answer::Yes << QList<QByteArray> {"01 - a.mp3", "a.mp3", "b.mp3"};
        QTest::newRow("no stops at once")
            << Answer::No << QList<QByteArray> {"01 - a.mp3", "02 - b.mp3", "a.mp3"};
    }

    void existingTargetIsNeverReplaced()
    {
        QFETCH(Answer, answer);
        QFETCH(QList<QByteArray>, after);
        Bench bench(false, {"01 - a.mp3", "02 - b.mp3", "a.mp3"});
        bench.prompter.answers = {Answer::Yes, answer};
        bench.run({runBothCommand});

        QCOMPARE(bench.names(), after);
        // Each file still holds its own content (written as its original name).
        QCOMPARE(readRawFile(bench.raw(), "01 - a.mp3"), QByteArray("01 - a.mp3"));
        QCOMPARE(readRawFile(bench.raw(), "a.mp3"), QByteArray("a.mp3"));
        QCOMPARE(bench.prompter.boxes().at(1), renameError(u"01 - a.mp3"_s));
        QCOMPARE(bench.prompter.shown.at(1).details,
                 u"Neuer Name: „a.mp3“\nDer Name ist schon an eine Datei vergeben."_s);
        if (answer == Answer::No) {
            QCOMPARE(bench.prompter.boxes().size(), 2);
            QCOMPARE(bench.list.refreshes, 1);
            // The progress display closes however the run ends.
            QCOMPARE(bench.progress.log.last(), u"end"_s);
            return;
        }
        QCOMPARE(bench.prompter.boxes().size(), 3);
        QCOMPARE(bench.prompter.boxes().at(2),
                 report(bothText(3, 1, 0, 1) + u"\r1 Datei konnte nicht umbenannt werden."_s,
                        title(u"33.3"_s)));
        // Under it, in view, how to undo; in its details the file that failed.
        const Message &summary = bench.prompter.shown.at(2);
        QCOMPARE(summary.informative,
                 u"Diese Umbenennung lässt sich mit Strg+Z oder über das Kontextmenü der "
                 u"Dateiliste rückgängig machen."_s);
        QVERIFY(summary.table);
        QCOMPARE(summary.table->text(),
                 u"01 - a.mp3 → a.mp3: Der Name ist schon an eine Datei vergeben.\n"_s);
    }

    // Stopping ends the run after the current file: the list is re-read and
    // the summary counts the entries visited so far.
    void stoppingReportsWhatWasDone_data()
    {
        QTest::addColumn<QList<QByteArray>>("before");
        QTest::addColumn<int>("stopAfter");
        QTest::addColumn<QList<QByteArray>>("after");
        QTest::addColumn<QString>("summary");
        const QList<QByteArray> three {"01 - a_x.mp3", "02 - b.mp3", "03 - c.mp3"};
        QTest::newRow("stop after the first of three")
            << three << 1 << QList<QByteArray> {"02 - b.mp3", "03 - c.mp3", "a x.mp3"}
            << bothText(1, 1, 1, 0);
        QTest::newRow("stop at the last entry changes nothing")
            << three << 3 << QList<QByteArray> {"a x.mp3", "b.mp3", "c.mp3"}
            << bothText(3, 3, 1, 0);
        QTest::newRow("stop after a failed rename answered yes")
            << QList<QByteArray> {"01 - a.mp3", "02 - b.mp3", "a.mp3"} << 1
            << QList<QByteArray> {"01 - a.mp3", "02 - b.mp3", "a.mp3"}
            << bothText(1, 0, 0, 0) + u"\r1 Datei konnte nicht umbenannt werden."_s;
    }

    void stoppingReportsWhatWasDone()
    {
        QFETCH(QList<QByteArray>, before);
        QFETCH(int, stopAfter);
        QFETCH(QList<QByteArray>, after);
        QFETCH(QString, summary);
        Bench bench(false, before);
        bench.progress.stopAfter = stopAfter;
        bench.prompter.answers = {Answer::Yes, Answer::Yes};
        bench.prompter.onAsk
            = [&bench](const Message &message) { bench.progress.log.append(message.title); };
        bench.run({runBothCommand});

        QCOMPARE(bench.names(), after);
        QCOMPARE(bench.list.refreshes, 2);
        QCOMPARE(bench.prompter.boxes().last().text, summary);
        // The display is closed before the summary box opens.
        QCOMPARE(bench.progress.log.first(), u"Bestätigung!"_s);
        QCOMPARE(bench.progress.log.at(1), u"begin %1"_s.arg(before.size()));
        QCOMPARE(bench.progress.log.mid(bench.progress.log.size() - 3, 2),
                 (QStringList {u"advance %1"_s.arg(stopAfter), u"end"_s}));
        QVERIFY(bench.progress.log.last().startsWith(u"Ergebnis des Wartens: "_s));
        // Time spent answering a box of the run is no renaming time.
        const qsizetype error = bench.progress.log.indexOf(u"Fehler geortet!"_s);
        if (error > 0)
            QCOMPARE(bench.progress.log.mid(error - 1, 3),
                     (QStringList {u"pause"_s, u"Fehler geortet!"_s, u"resume"_s}));
    }

    // What the question showed is what the run does: an entry that is no
    // longer the planned file when its turn comes is not renamed.
    void theRunRenamesOnlyWhatItPlanned_data()
    {
        QTest::addColumn<Change>("whileAsking");
        QTest::addColumn<QList<QByteArray>>("after");
        QTest::addColumn<QString>("cause"); // of the error box; empty: none
        const auto replace
            = [](const QByteArray &name, const std::function<void(QByteArray)> &make) {
                  return Change([name, make](Bench &bench) {
                      QVERIFY(QFile::remove(bench.dir.filePath(QString::fromUtf8(name))));
                      make(bench.raw() + '/' + name);
                  });
              };
        QTest::newRow("a file replaced by a folder")
            << replace("01 - Titel.mp3",
                       [](QByteArray path) { QVERIFY(QDir().mkdir(QString::fromUtf8(path))); })
            << QList<QByteArray> {"01 - Titel.mp3", "Zwei.mp3"}
            << u"Die Datei wurde inzwischen durch einen Ordner ersetzt."_s;
        QTest::newRow("a file saved anew through a temporary file")
            << Change([](Bench &bench) {
                   writeRawFile(bench.raw(), "tmp", "neu");
                   QVERIFY(std::rename(bench.raw() + "/tmp", bench.raw() + "/01 - Titel.mp3") == 0);
               })
            << QList<QByteArray> {"01 - Titel.mp3", "Zwei.mp3"}
            << u"Die Datei wurde inzwischen durch eine andere ersetzt."_s;
        QTest::newRow("a file whose tags were edited")
            << Change([](Bench &bench) { writeRawFile(bench.raw(), "01 - Titel.mp3", "tags"); })
            << QList<QByteArray> {"Titel.mp3", "Zwei.mp3"} << QString();
        QTest::newRow("a file gone") << Change([](Bench &bench) {
            QVERIFY(QFile::remove(bench.dir.filePath(u"01 - Titel.mp3"_s)));
        }) << QList<QByteArray> {"Zwei.mp3"}
                                     << u"Die Datei ist nicht mehr da."_s;
    }

    void theRunRenamesOnlyWhatItPlanned()
    {
        QFETCH(Change, whileAsking);
        QFETCH(QList<QByteArray>, after);
        QFETCH(QString, cause);
        Bench bench(false, {"01 - Titel.mp3", "02 - Zwei.mp3"});
        bench.prompter.onAsk = [&](const Message &) {
            bench.prompter.onAsk = nullptr;
            whileAsking(bench);
        };
        bench.run({runBothCommand});
        QCOMPARE(bench.names(), after);
        const QStringList titles = bench.prompter.titles();
        QCOMPARE(titles.contains(u"Fehler geortet!"_s), !cause.isEmpty());
        if (!cause.isEmpty())
            QVERIFY(bench.prompter.shown.at(1).details.endsWith(cause));
        QCOMPARE(titles.last(), title(cause.isEmpty() ? u"100.0"_s : u"50.0"_s));
    }

    // The error box keeps its text; its details say why.
    void renameErrorNamesTheCause_data()
    {
        using platform::EntryKind;
        using RenameFailure = platform::Cause;
        QTest::addColumn<platform::Problem>("result");
        QTest::addColumn<QString>("cause");
        const auto taken = [](std::optional<EntryKind> kind) {
            return platform::Problem {RenameFailure::NameTaken, kind, QString(), EEXIST};
        };
        const auto failure = [](RenameFailure failure, int error) {
            return platform::Problem {failure, std::nullopt, QString(), error};
        };
        QTest::newRow("taken by a file")
            << taken(EntryKind::File) << u"Der Name ist schon an eine Datei vergeben."_s;
        QTest::newRow("taken by a folder")
            << taken(EntryKind::Folder) << u"Der Name ist schon an einen Ordner vergeben."_s;
        QTest::newRow("taken by a link")
            << taken(EntryKind::Link) << u"Der Name ist schon an eine Verknüpfung vergeben."_s;
        QTest::newRow("taken by something gone since")
            << taken(std::nullopt) << u"Der Name ist schon vergeben."_s;
        QTest::newRow("not a file but a folder")
            << platform::Problem {RenameFailure::NotAFile, EntryKind::Folder}
            << u"Das ist keine Datei, sondern ein Ordner."_s;
        QTest::newRow("not a file but a pipe")
            << platform::Problem {RenameFailure::NotAFile, EntryKind::Other}
            << u"Das ist keine Datei, sondern ein besonderer Eintrag, etwa eine Pipe."_s;
        QTest::newRow("no permission")
            << failure(RenameFailure::NoPermission, EACCES)
            << u"Keine Berechtigung, in diesem Ordner Dateien umzubenennen."_s;
        QTest::newRow("protected file")
            << failure(RenameFailure::FileProtected, EPERM)
            << u"Die Datei ist gegen Änderungen geschützt (unveränderlich oder nur erweiterbar)."_s;
        QTest::newRow("another user's file")
            << failure(RenameFailure::OwnedByOther, EPERM)
            << u"Die Datei gehört einem anderen Benutzer; in diesem Ordner darf nur er sie "
               u"umbenennen."_s;
        QTest::newRow("read-only medium") << failure(RenameFailure::ReadOnlyMedium, EROFS)
                                          << u"Der Datenträger ist schreibgeschützt."_s;
        QTest::newRow("name too long") << failure(RenameFailure::NameTooLong, ENAMETOOLONG)
                                       << u"Der Name ist zu lang für dieses Dateisystem."_s;
        QTest::newRow("characters not allowed")
            << failure(RenameFailure::NameNotAllowed, EINVAL)
            << u"Der Name enthält Zeichen, die dieses Dateisystem nicht erlaubt."_s;
        QTest::newRow("file gone")
            << failure(RenameFailure::FileGone, ENOENT) << u"Die Datei ist nicht mehr da."_s;
        QTest::newRow("another system error")
            << failure(RenameFailure::Other, EIO)
            << u"Ein anderer Fehler ist aufgetreten (Systemfehler %1)."_s.arg(EIO);
    }

    void renameErrorNamesTheCause()
    {
        QFETCH(platform::Problem, result);
        QFETCH(QString, cause);
        Bench bench(false, {"01 - a.mp3"});
        bench.files.failure = result;
        bench.prompter.answers = {Answer::Yes, Answer::Yes};
        bench.run({runBothCommand});
        QCOMPARE(bench.prompter.boxes().at(1), renameError(u"01 - a.mp3"_s));
        QCOMPARE(bench.prompter.shown.at(1).details, u"Neuer Name: „a.mp3“\n"_s + cause);
    }

    void impossibleTargetIsAFailedRename_data()
    {
        QTest::addColumn<Command>("command");
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("underscores only become an empty name")
            << Command {runUnderscoresCommand} << QByteArray("___");
        QTest::newRow("zeros only become an empty name")
            << Command {runNumbersCommand} << QByteArray("00");
        QTest::newRow("both leave an empty name")
            << Command {runBothCommand} << QByteArray("01 - _");
    }

    void impossibleTargetIsAFailedRename()
    {
        QFETCH(Command, command);
        QFETCH(QByteArray, name);
        Bench bench(true, {name, "z_1"});
        bench.choices.leadingZeroOnly = false;
        bench.prompter.answers = {Answer::Yes, Answer::Yes};
        bench.run(command);
        QCOMPARE(bench.prompter.boxes().at(1), renameError(QString::fromUtf8(name)));
        QCOMPARE(bench.prompter.boxes().size(), 3);
        QVERIFY(bench.prompter.boxes().at(2).text.endsWith(
            u"\r1 Datei konnte nicht umbenannt werden."_s));
        QVERIFY(bench.names().contains(name));
    }

    void numberingFailureKeepsTheName()
    {
        Bench bench(false, {"1E999 x.mp3", "1_y.mp3"});
        bench.choices.leadingZeroOnly = false;
        bench.prompter.answers = {Answer::Yes};
        bench.run({runBothCommand});
        QCOMPARE(bench.prompter.titles(),
                 (QStringList {u"Bestätigung!"_s, u"Fatal Error"_s, title(u"50.0"_s)}));
        QCOMPARE(
            bench.prompter.boxes().at(1),
            report(
                u"Beim bearbeiten des Dateinamens  von 1E999 x.mp3 trat ein unerwünschter Fehler auf."_s,
                u"Fatal Error"_s));
        QCOMPARE(bench.names(), (QList<QByteArray> {"1E999 x.mp3", "y.mp3"}));
        QCOMPARE(bench.prompter.boxes().last().text, bothText(2, 1, 0, 1));
    }

    void leadingZeroChoiceIsReadForEveryName()
    {
        Bench bench(false, {"01 - a.mp3", "2 - c.mp3", "a.mp3"});
        // The user unticks the box while the error box of the first file is open.
        bench.prompter.onAsk = [&bench](const Message &message) {
            if (message.title == u"Fehler geortet!"_s)
                bench.choices.leadingZeroOnly = false;
        };
        bench.prompter.answers = {Answer::Yes, Answer::Yes};
        bench.run({runNumbersCommand});
        QCOMPARE(bench.names(), (QList<QByteArray> {"01 - a.mp3", "a.mp3", "c.mp3"}));
    }

    // A rename the plan counted on fails when its turn comes, as another
    // user's file in a folder with the sticky bit does: the later file that
    // was refused the same name gets it after all, and the record knows of it
    // before that file is renamed.
    void aFailureThePlanDidNotForeseeIsPlannedAround()
    {
        Bench bench(false, {"01 - fremd.mp3", "02_fremd.mp3"});
        bench.files.failAt = 1;
        bool recordedFirst = false;
        bench.files.beforeRename = [&bench, &recordedFirst] {
            const std::unique_ptr<UndoableRun> run = bench.journal.latestRun();
            const QList<RecordedRun::Entry> entries = run->run().entries;
            recordedFirst = std::any_of(entries.begin(), entries.end(), [](const auto &entry) {
                return entry.file.index == 1 && entry.file.newName == u"fremd.mp3"_s;
            });
        };
        bench.prompter.answers = {Answer::Yes, Answer::Yes};
        bench.run({runBothCommand});
        QCOMPARE(bench.names(), (QList<QByteArray> {"01 - fremd.mp3", "fremd.mp3"}));
        QCOMPARE(bench.prompter.titles().size(), 3);
        QVERIFY(recordedFirst);
    }

    // A run that cannot be recorded, and so not be undone, says so in its
    // question, before anything is renamed, and names the folder to put right.
    void aRunThatCannotBeRecordedSaysSoFirst_data()
    {
        // The folder of the records; file.txt is a file, "offen" a folder
        // anyone may write in.
        QTest::addColumn<QString>("records");
        QTest::addColumn<QString>("why"); // %1: the folder, quoted
        QTest::newRow("a file on the way to the folder of the records")
            << u"file.txt/Namlex"_s
            << u"%1 lässt sich nicht als Ordner anlegen: Ein Teil des Pfads ist eine Datei."_s;
        QTest::newRow("a file where the folder of the records belongs")
            << u"file.txt"_s
            << u"%1 lässt sich nicht als Ordner anlegen: Dort steht schon etwas anderes."_s;
        QTest::newRow("a folder others may write in")
            << u"offen"_s
            << u"Der Ordner der Aufzeichnungen %1 ist nicht sicher: Auch andere Benutzer dürfen "
               u"darin schreiben."_s;
    }

    void aRunThatCannotBeRecordedSaysSoFirst()
    {
        QFETCH(QString, records);
        QFETCH(QString, why);
        Bench bench(false, {"01 - a.mp3"});
        writeRawFile(bench.raw(), "file.txt", "");
        QVERIFY(QDir(bench.dir.path()).mkdir(u"offen"_s));
        QVERIFY(QFile::setPermissions(bench.dir.filePath(u"offen"_s),
                                      QFileDevice::Permissions(0x7777)));
        FileJournal journal(bench.dir.filePath(records));
        bench.prompter.answers = {Answer::No};
        runBothCommand({bench.list, bench.folder, bench.choices, bench.files, journal,
                        bench.prompter, bench.progress});
        QCOMPARE(bench.prompter.shown.first().informative.split(u'\n').last(),
                 u"Achtung: Diese Umbenennung lässt sich nicht aufzeichnen und daher nicht "
                 u"rückgängig machen. "_s
                     + why.arg(u"„"_s + bench.dir.filePath(records) + u"“"_s));
        QCOMPARE(bench.names(), (QList<QByteArray> {"01 - a.mp3", "file.txt", "offen"}));
    }

    // The plan is written while the question is open. If that fails, the
    // user decides before the first rename whether to go on without undo.
    void aRecordThatFailsAfterYesAsks_data()
    {
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<QList<QByteArray>>("names");
        QTest::newRow("yes") << Answer::Yes << QList<QByteArray> {"a.mp3"};
        QTest::newRow("no") << Answer::No << QList<QByteArray> {"01 - a.mp3"};
    }

    void aRecordThatFailsAfterYesAsks()
    {
        QFETCH(Answer, answer);
        QFETCH(QList<QByteArray>, names);
        Bench bench(false, {"01 - a.mp3"});
        bench.prompter.answers = {Answer::Yes, answer};
        {
            // Room for the counter, not for the record's plan.
            FileSizeLimit full(20);
            bench.run({runBothCommand});
        }
        const platform::Problem cause {platform::Cause::Other, std::nullopt,
                                       bench.journalDir.path(), EFBIG};
        QCOMPARE(bench.prompter.shown.first().informative,
                 u"1 Datei wird umbenannt."_s);
        QCOMPARE(bench.prompter.shown.at(1), messages::goOnWithoutRecord(cause));
        QCOMPARE(bench.prompter.shown.size(), answer == Answer::Yes ? 3 : 2);
        QCOMPARE(bench.names(), names);
    }

    void percentageFollowsTheLocale()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        Bench bench(false, {"a_b.mp3", "c_d.mp3", "e.mp3"});
        bench.prompter.answers = {Answer::Yes};
        bench.run({runUnderscoresCommand});
        QCOMPARE(bench.prompter.boxes().last().title, title(u"66,7"_s));
    }

    void namesThatAreNotUtf8AreRenamedByteExactly()
    {
        Bench bench(false, {"01 - Lied \xe4_eins.mp3", "\xff\xfe_x.mp3", "02 - \xc3\xa4rger.mp3",
                            "\xef\xbb\xbf"
                            "01_bom.mp3"});
        bench.prompter.answers = {Answer::Yes};
        bench.run({runBothCommand});
        QCOMPARE(bench.names(), (QList<QByteArray> {"Lied \xe4 eins.mp3", "\xc3\xa4rger.mp3",
                                                    "\xef\xbb\xbf"
                                                    "01 bom.mp3",
                                                    "\xff\xfe x.mp3"}));
        QCOMPARE(readRawFile(bench.raw(), "\xff\xfe x.mp3"), QByteArray("\xff\xfe_x.mp3"));
    }
};

QTEST_MAIN(TestRenameCommands)
#include "tst_renamecommands.moc"

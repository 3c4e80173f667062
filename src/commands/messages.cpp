#include "commands/messages.h"

#include "commands/runplan.h"
#include "platform/namecodec.h"

#include <QLocale>

using namespace Qt::StringLiterals;

namespace namlex::messages {

namespace {

const QChar lineBreak = u'\r';

// The share of renamed entries, with the user's decimal separator ("90,0").
QString summaryTitle(const Tally &tally)
{
    const double share = (100.0 / tally.visited) * tally.renamed();
    return u"Ergebnis des Wartens: "_s + QLocale().toString(share, 'f', 1) + u"% Umbenannt"_s;
}

QString withFailureLine(QString text, const Tally &tally)
{
    if (tally.failed > 0)
        text += lineBreak + QString::number(tally.failed)
                + u" Dateien konnten nicht umbenannt werden."_s;
    return text;
}

QString summaryHead(const Tally &tally)
{
    return u"Dateioperationen abgeschlossen. Es wurden:"_s + lineBreak
           + QString::number(tally.visited) + u" Dateien ausgewählt,"_s + lineBreak;
}

const QString fatalError = u"Fatal Error"_s;
const QString undoTitle = u"Rückgängig machen"_s;

QString takerText(const std::optional<platform::EntryKind> &kind)
{
    if (!kind)
        return u"es gibt bereits einen Eintrag dieses Namens"_s;
    switch (*kind) {
    case platform::EntryKind::File:
        return u"es gibt bereits eine Datei dieses Namens"_s;
    case platform::EntryKind::Folder:
        return u"es gibt bereits einen Ordner dieses Namens"_s;
    case platform::EntryKind::Link:
        return u"es gibt bereits eine Verknüpfung dieses Namens"_s;
    case platform::EntryKind::Other:
        break;
    }
    return u"es gibt bereits einen Eintrag dieses Namens"_s;
}

// "3 Dateien werden umbenannt, 5 bleiben, wie sie sind, 1 kann nicht
// umbenannt werden."
QString countLine(int renames, int unchanged, int problems)
{
    const QString renamed = renames == 1
                                ? u"1 Datei wird umbenannt"_s
                                : QString::number(renames) + u" Dateien werden umbenannt"_s;
    const QString kept = unchanged == 1 ? u"1 bleibt, wie sie ist"_s
                                        : QString::number(unchanged) + u" bleiben, wie sie sind"_s;
    const QString failing = QString::number(problems)
                            + (problems == 1 ? u" kann nicht umbenannt werden."_s
                                             : u" können nicht umbenannt werden."_s);
    return renamed + u", "_s + kept + u", "_s + failing;
}

QString problemText(const PlannedRename &change)
{
    using Problem = PlannedRename::Problem;
    switch (change.problem) {
    case Problem::NameTaken:
        return u"der Name ist schon vergeben"_s;
    case Problem::SameNewName:
        return u"denselben Namen bekommt schon "_s + platform::displayName(change.clashWith);
    case Problem::ImpossibleName:
        return u"einen solchen Namen kann es nicht geben"_s;
    case Problem::NameTooLong:
        return u"der Name ist zu lang für dieses Dateisystem"_s;
    case Problem::NameTooLongToEdit:
        return u"der Name ist zu lang, um bearbeitet zu werden"_s;
    case Problem::None:
        break;
    }
    return QString();
}

// "07.12.2026 um 20:15 Uhr"
QString timeText(const QDateTime &time)
{
    const QLocale german(QLocale::German, QLocale::Germany);
    return german.toString(time.toLocalTime(), u"dd.MM.yyyy 'um' HH:mm 'Uhr'"_s);
}
const QString allFilesTitle = u"'Alle Dateien' ausgewählt"_s;

} // namespace

Message question(const QString &text, const QString &title)
{
    return {text, title, Buttons::YesNo, MessageIcon::Question};
}

Message warningQuestion(const QString &text, const QString &title)
{
    return {text, title, Buttons::YesNo, MessageIcon::Warning};
}

Message report(const QString &text, const QString &title)
{
    return {text, title, Buttons::Ok, MessageIcon::None};
}

Message errorReport(const QString &text, const QString &title)
{
    return {text, title, Buttons::Ok, MessageIcon::Error};
}

Message noFilesInFolder()
{
    return report(u"Keine Dateien im Ordner."_s, fatalError);
}

Message noFilesShown()
{
    return report(u"Es werden keine Dateien angezeigt, evtl. auf 'Alle Dateien' umschalten, um "
                  u"den gesamten Ordnerinhalt angezeigt zu bekommen."_s,
                  fatalError);
}

Message bothQuestion()
{
    return question(u"Wirklich umbenennen?"_s, u"Bestätigung!"_s);
}

Message bothQuestionAllFiles()
{
    return question(u"Soll bei allen Dateien, auch ohne .mp3- und .wma-Endung,"_s + lineBreak
                        + u"die Nummerierung gelöscht und Unterstriche durch Leerzeichen "
                          u"ersetzt werden?"_s,
                    allFilesTitle);
}

Message numbersQuestion()
{
    return question(u"Wirklich umbenennen?"_s, u"Bestätigung"_s);
}

Message underscoresQuestion()
{
    return question(u"Wirklich die Unterstriche durch Leerzeichen ersetzen?"_s, u"Bestätigung"_s);
}

Message singleQuestionAllFiles()
{
    return question(u"Sollen alle Dateien, auch ohne .mp3- und .wma-Endung, umbenannt werden?"_s,
                    allFilesTitle);
}

Message numberingFailed(const QString &name)
{
    return report(u"Beim bearbeiten des Dateinamens  von "_s + platform::displayName(name)
                      + u" trat ein unerwünschter Fehler auf."_s,
                  fatalError);
}

Message renameFailed(const QString &oldName, const std::optional<platform::RenameResult> &result)
{
    Message message
        = warningQuestion(u"Fehler beim Umbenennen der Datei "_s + platform::displayName(oldName)
                              + u", evtl. Schreibgeschützt."_s + lineBreak
                              + u"Soll mit der nächsten Datei fortgefahren werden?"_s,
                          u"Fehler geortet!"_s);
    message.details = renameCause(result);
    return message;
}

QString renameCause(const std::optional<platform::RenameResult> &result)
{
    using platform::RenameFailure;
    if (!result)
        return u"Der Name ist zu lang, um bearbeitet zu werden."_s;
    switch (result->failure) {
    case RenameFailure::None:
        break;
    case RenameFailure::NameTaken:
        return u"Der Name ist schon vergeben: "_s + takerText(result->takenBy) + u'.';
    case RenameFailure::NoPermission:
        return u"Keine Berechtigung, in diesem Ordner umzubenennen."_s;
    case RenameFailure::ReadOnlyMedium:
        return u"Der Datenträger ist schreibgeschützt."_s;
    case RenameFailure::NameTooLong:
        return u"Der Name ist zu lang für dieses Dateisystem."_s;
    case RenameFailure::NameNotAllowed:
        return u"Der Name enthält Zeichen, die dieses Dateisystem nicht erlaubt."_s;
    case RenameFailure::FileGone:
        return u"Die Datei ist nicht mehr da."_s;
    case RenameFailure::ImpossibleName:
        return u"Einen solchen Namen kann es nicht geben (leer, „.“, „..“ oder mit „/“)."_s;
    case RenameFailure::Other:
        break;
    }
    return u"Ein anderer Systemfehler (Nummer %1)."_s.arg(result->systemError);
}

QString planDetails(const RunPlan &plan)
{
    const int renames = plan.renames();
    const int problems = plan.problems();
    QString details = countLine(renames, plan.unchanged, problems) + u'\n';
    int listed = 0;
    const auto list = [&](bool withProblem) {
        for (const PlannedRename &change : plan.changes) {
            if ((change.problem != PlannedRename::Problem::None) != withProblem
                || listed == planLines)
                continue;
            ++listed;
            details += u'\n' + platform::displayName(change.file.oldName) + u" → "_s
                       + platform::displayName(change.file.newName);
            if (withProblem)
                details += u": "_s + problemText(change);
        }
    };
    list(true);
    list(false);
    if (renames + problems > listed)
        details += u"\n… und "_s + QString::number(renames + problems - listed) + u" weitere."_s;
    return details + u'\n';
}

Message bothSummary(const Tally &tally)
{
    const QString text
        = summaryHead(tally) + u"bei "_s + QString::number(tally.numberingRemoved)
          + u" Dateien die Nummerierung gelöscht,"_s + lineBreak + u"bei "_s
          + QString::number(tally.underscoresReplaced)
          + u" Dateien die Unterstriche durch Leerzeichen ersetzt und"_s + lineBreak
          + QString::number(tally.unchanged)
          + u" Dateien nicht umbenenannt, weil ihre Werte in akzeptablen Parametern liegen."_s;
    return report(withFailureLine(text, tally), summaryTitle(tally));
}

Message singleSummary(const Tally &tally)
{
    const QString text
        = summaryHead(tally) + QString::number(tally.renamed()) + u" Dateien umbenannt und"_s
          + lineBreak + QString::number(tally.unchanged)
          + u" nicht umbenenannt, weil ihre Werte in akzeptablen Parametern liegen."_s;
    return report(withFailureLine(text, tally), summaryTitle(tally));
}

QString undoHint()
{
    return u"Dieser Lauf lässt sich mit Strg+Z rückgängig machen."_s;
}

QString notRecorded()
{
    return u"Dieser Lauf lässt sich nicht rückgängig machen: er konnte nicht aufgezeichnet "
           u"werden."_s;
}

Message nothingToUndo()
{
    return report(u"Es gibt keine Umbenennung, die sich rückgängig machen ließe."_s, undoTitle);
}

Message runNotUndoable(const RecordedRun &run)
{
    QString when;
    if (run.started.isValid())
        when = u" vom "_s + timeText(run.started);
    return errorReport(u"Die Umbenennung"_s + when
                           + u" lässt sich nicht rückgängig machen: ihre Aufzeichnung ist "
                             u"beschädigt oder unvollständig."_s
                           + lineBreak + u"Es wurde nichts umbenannt."_s,
                       undoTitle);
}

Message undoQuestion(const RecordedRun &run)
{
    int files = 0;
    for (const RecordedRun::Entry &entry : run.entries)
        files += entry.outcome == RecordedRun::Outcome::Failed ? 0 : 1;
    QString count = QString::number(files) + (files == 1 ? u" Datei"_s : u" Dateien"_s);
    if (!run.finished)
        count = u"bis zu "_s + count + u" (der Lauf wurde unterbrochen)"_s;
    return question(u"Letzte Umbenennung rückgängig machen?"_s + lineBreak + lineBreak
                        + u"Ordner: "_s + platform::displayName(run.folder) + lineBreak
                        + u"Zeit: "_s + timeText(run.started) + lineBreak + u"Umbenannt: "_s + count,
                    undoTitle);
}

Message undoSummary(const UndoTally &tally)
{
    const int failed = int(tally.failures.size());
    QString text = QString::number(tally.restored)
                   + (tally.restored == 1 ? u" Datei hat"_s : u" Dateien haben"_s)
                   + u" ihren alten Namen zurück."_s;
    if (failed > 0)
        text += lineBreak + QString::number(failed)
                + (failed == 1 ? u" Datei konnte"_s : u" Dateien konnten"_s)
                + u" nicht zurückbenannt werden."_s;
    Message message = report(text, u"Rückgängig gemacht"_s);
    for (const UndoTally::Failure &failure : tally.failures) {
        QString cause;
        switch (failure.problem) {
        case UndoProblem::FileGone:
            cause = u"Unter dem neuen Namen ist keine Datei mehr."_s;
            break;
        case UndoProblem::OtherFileThere:
            cause = u"Unter dem neuen Namen steht jetzt eine andere Datei; sie bleibt, wie sie "
                    u"ist."_s;
            break;
        case UndoProblem::RenameFailed:
            cause = renameCause(failure.result);
            break;
        }
        message.details += platform::displayName(failure.file.newName) + u" → "_s
                           + platform::displayName(failure.file.oldName) + u": "_s + cause + u'\n';
    }
    return message;
}

Message deleteQuestion(const QString &name)
{
    return warningQuestion(
        u"Soll "_s + platform::displayName(name) + u" wirklich gelöscht werden?"_s, u"Aufpassen!"_s);
}

Message deleteFailed()
{
    return errorReport(u"Datei kann aus unerfreulichen Gründen leider nicht gelöscht werden!"_s,
                       u"Geht nicht!"_s);
}

Message driveNotReady()
{
    return report(u"Laufwerkfehler, evtl. keinen Datenträger eingelegt."_s, fatalError);
}

Message folderCannotBeOpened(const QString &folder)
{
    return report(u"Der Ordner "_s + folder + u" kann nicht geöffnet werden."_s, fatalError);
}

QString helpToolTip()
{
    return u"Hilfe durch zeigen auf das entspr. Objekt!"_s;
}

QString musicFilesSummary(int count)
{
    return count == 0 ? u"keine Brauchbaren"_s : QString::number(count) + u" .mp3 bzw .wma"_s;
}

QString allFilesSummary(int count)
{
    return count == 0 ? u"keine"_s : QString::number(count) + u" (alle Typen)"_s;
}

QString commandLineHelp()
{
    return u"Aufruf: namlex [ORDNER | DATEI]\n"
           u"Räumt die Namen der Musikdateien eines Ordners auf.\n\n"
           u"  ORDNER         öffnet diesen Ordner statt des zuletzt gezeigten\n"
           u"  DATEI          öffnet den Ordner der Datei und wählt sie in der Liste aus\n"
           u"  -h, --help     zeigt diese Hilfe\n"
           u"  -v, --version  zeigt die Version\n"_s;
}

QString noSuchPath(const QString &path)
{
    return u"„"_s + platform::displayName(path) + u"“ gibt es nicht."_s;
}

QString cannotOpen(const QString &path)
{
    return u"Der Ordner „"_s + platform::displayName(path) + u"“ lässt sich nicht öffnen."_s;
}

QString tooManyArguments()
{
    return u"Nur ein Ordner oder eine Datei kann geöffnet werden."_s;
}

QString unknownOption(const QString &option)
{
    return u"Unbekannte Option „"_s + platform::displayName(option) + u"“."_s;
}

QString badCommandLine(const QString &reason)
{
    return u"Die Befehlszeile ist ungültig: "_s + reason;
}

QString emptyPath()
{
    return u"Ein leerer Pfad kann nicht geöffnet werden."_s;
}

QString pathTooLong(const QString &path)
{
    return u"Der Pfad „"_s + platform::displayName(path) + u"“ ist zu lang."_s;
}

QString noPermission(const QString &path)
{
    return u"Keine Berechtigung für „"_s + platform::displayName(path) + u"“."_s;
}

QString cannotRead(const QString &path, int systemError)
{
    return u"„"_s + platform::displayName(path) + u"“ lässt sich nicht lesen (Systemfehler "_s
           + QString::number(systemError) + u")."_s;
}

QString progressTitle()
{
    return u"Umbenennen"_s;
}

QString progressLabel()
{
    return u"Dateien werden umbenannt …"_s;
}

QString progressCancel()
{
    return u"Abbrechen"_s;
}

} // namespace namlex::messages

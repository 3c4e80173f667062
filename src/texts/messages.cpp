#include "texts/messages.h"

#include "platform/namecodec.h"

#include <QHash>
#include <QLocale>

#include <cerrno>

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

// "„01 - Titel.mp3“"
QString quoted(const QString &name)
{
    return u"„"_s + platform::displayName(name) + u"“"_s;
}

// What stands somewhere: "einen Ordner" as the object of a sentence ("es
// gibt bereits einen Ordner"), "ein Ordner" as its subject.
enum class Role { Object, Subject };

QString entryText(const std::optional<platform::EntryKind> &kind, Role role = Role::Object)
{
    const bool subject = role == Role::Subject;
    switch (kind.value_or(platform::EntryKind::Other)) {
    case platform::EntryKind::File:
        return u"eine Datei"_s;
    case platform::EntryKind::Folder:
        return subject ? u"ein Ordner"_s : u"einen Ordner"_s;
    case platform::EntryKind::Link:
        return u"eine Verknüpfung"_s;
    case platform::EntryKind::Other:
        break;
    }
    return subject ? u"ein besonderer Eintrag, etwa eine Pipe"_s : u"einen Eintrag"_s;
}

// "3 Dateien" / "1 Datei"
QString files(int count)
{
    return QString::number(count) + (count == 1 ? u" Datei"_s : u" Dateien"_s);
}

// "07.12.2026 um 20:15 Uhr"
QString timeText(const QDateTime &time)
{
    const QLocale german(QLocale::German, QLocale::Germany);
    return german.toString(time.toLocalTime(), u"dd.MM.yyyy 'um' HH:mm 'Uhr'"_s);
}

// " vom 07.12.2026 um 20:15 Uhr", where the record says when.
QString when(const RecordedRun &run)
{
    return run.started.isValid() ? u" vom "_s + timeText(run.started) : QString();
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

Message renameFailed(const QString &oldName, const QString &newName,
                     const platform::Problem &problem)
{
    Message message
        = warningQuestion(u"Fehler beim Umbenennen der Datei "_s + platform::displayName(oldName)
                              + u", evtl. Schreibgeschützt."_s + lineBreak
                              + u"Soll mit der nächsten Datei fortgefahren werden?"_s,
                          u"Fehler geortet!"_s);
    message.details = u"Neuer Name: "_s + quoted(newName) + u'\n' + causeText(problem);
    return message;
}

QString causeText(const platform::Problem &problem)
{
    using platform::Cause;
    using platform::EntryKind;
    switch (problem.cause) {
    case Cause::None:
        return QString();
    case Cause::NameTaken:
        return u"Der Name ist schon vergeben: es gibt bereits "_s + entryText(problem.kind)
               + (problem.otherName.isEmpty() ? u" dieses Namens."_s
                                              : u" namens "_s + quoted(problem.otherName) + u'.');
    case Cause::SameNewName:
        return u"Denselben Namen bekommt schon "_s + quoted(problem.otherName) + u'.';
    case Cause::ImpossibleName:
        return u"Einen solchen Namen kann es nicht geben (leer, „.“, „..“ oder mit „/“)."_s;
    case Cause::NameTooLong:
        return u"Der Name ist zu lang für dieses Dateisystem."_s;
    case Cause::NameNotAllowed:
        return u"Der Name enthält Zeichen, die dieses Dateisystem nicht erlaubt."_s;
    case Cause::NameTooLongToEdit:
        return u"Der Name ist zu lang, um bearbeitet zu werden."_s;
    case Cause::NumberingFailed:
        return u"Die Zahl am Anfang lässt sich nicht lesen; sie bleibt im Namen."_s;
    case Cause::FileGone:
        return u"Die Datei ist nicht mehr da."_s;
    case Cause::FileReplaced:
        if (problem.kind == EntryKind::File)
            return u"Unter diesem Namen ist inzwischen eine andere Datei."_s;
        return u"Die Datei wurde inzwischen durch "_s + entryText(problem.kind) + u" ersetzt."_s;
    case Cause::NotAFile:
        return u"Das ist keine Datei, sondern "_s + entryText(problem.kind, Role::Subject) + u'.';
    case Cause::OtherFileThere:
        return u"Unter dem neuen Namen steht jetzt eine andere Datei; sie bleibt, wie sie ist."_s;
    case Cause::ChangedSince:
        return u"Die Datei wurde inzwischen verändert oder neu gespeichert."_s;
    case Cause::WriteProtected:
        return u"Die Datei ist schreibgeschützt."_s;
    case Cause::NoPermission:
        return u"Keine Berechtigung, in diesem Ordner umzubenennen."_s;
    case Cause::ReadOnlyMedium:
        return u"Der Datenträger ist schreibgeschützt."_s;
    case Cause::NoSpace:
        return u"Auf dem Datenträger ist kein Platz mehr."_s;
    case Cause::FolderUnreadable:
        return u"Der Ordner lässt sich nicht lesen; vielleicht ist der Datenträger nicht mehr "
               u"da."_s;
    case Cause::CaseMayClash:
        return u"Unsicher: Der Name unterscheidet sich von "_s + quoted(problem.otherName)
               + u" nur in Groß- und Kleinschreibung, und dieses Dateisystem unterscheidet sie "
                 u"vielleicht nicht."_s;
    case Cause::LengthMayNotFit:
        return u"Unsicher: Der Name ist vielleicht zu lang für dieses Dateisystem, das seine "
               u"Grenze nicht nennt."_s;
    case Cause::Other:
        break;
    }
    return u"Ein anderer Systemfehler (Nummer %1)."_s.arg(problem.systemError);
}

QString planCounts(int renames, int kept, int failures, int uncertain)
{
    QString renamed = renames == 1 ? u"1 Datei wird umbenannt"_s
                                   : QString::number(renames) + u" Dateien werden umbenannt"_s;
    if (uncertain > 0)
        renamed += u" (%1 davon unsicher)"_s.arg(uncertain);
    const QString left = kept == 1 ? u"1 bleibt"_s : QString::number(kept) + u" bleiben"_s;
    const QString failing = QString::number(failures)
                            + (failures == 1 ? u" kann nicht umbenannt werden."_s
                                             : u" können nicht umbenannt werden."_s);
    return renamed + u", "_s + left + u", "_s + failing;
}

// Why a run cannot be recorded, said of the folder of the records
// (`otherName`), which the user may have to make room in or put right.
QString recordProblemText(const platform::Problem &problem)
{
    using platform::Cause;
    const QString folder = quoted(problem.otherName);
    switch (problem.cause) {
    case Cause::NoSpace:
        return u"Auf dem Datenträger von "_s + folder + u" ist kein Platz mehr."_s;
    case Cause::NoPermission:
    case Cause::WriteProtected:
        return u"Keine Berechtigung, in "_s + folder + u" zu schreiben."_s;
    case Cause::ReadOnlyMedium:
        return u"Der Datenträger von "_s + folder + u" ist schreibgeschützt."_s;
    case Cause::NameTaken:
        return folder + u" lässt sich nicht als Ordner anlegen: Dort steht schon etwas anderes."_s;
    default:
        break;
    }
    if (problem.systemError == ENOTDIR)
        return folder
               + u" lässt sich nicht als Ordner anlegen: Ein Teil des Pfads ist eine Datei."_s;
    if (problem.systemError != 0)
        return u"In "_s + folder
               + u" lässt sich nicht schreiben (Systemfehler %1)."_s.arg(problem.systemError);
    return u"In "_s + folder + u" lässt sich nicht schreiben."_s;
}

QString notRecordedWarning(const platform::Problem &problem)
{
    return u"Achtung: Dieser Lauf lässt sich nicht aufzeichnen und daher nicht mit Strg+Z "
           u"rückgängig machen. "_s
           + recordProblemText(problem);
}

QString renameStep()
{
    return u"umbenennen"_s;
}

QString failStep()
{
    return u"geht nicht"_s;
}

QString uncertainStep()
{
    return u"unsicher"_s;
}

QString renameBackStep()
{
    return u"zurückbenennen"_s;
}

QString changedStep()
{
    return u"auf Wunsch umbenennen"_s;
}

QString keepStep()
{
    return u"bleibt"_s;
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

QString notRecorded(const platform::Problem &problem)
{
    return u"Dieser Lauf lässt sich nicht rückgängig machen: er konnte nicht aufgezeichnet "
           u"werden. "_s
           + recordProblemText(problem);
}

Message nothingToUndo()
{
    return report(u"Es gibt keine Umbenennung, die sich rückgängig machen ließe."_s, undoTitle);
}

Message runStillGoing(const RecordedRun &run)
{
    return report(u"Die letzte Umbenennung"_s + when(run) + u" läuft noch, in "_s
                      + platform::displayName(run.folder) + u'.' + lineBreak
                      + u"Sie lässt sich rückgängig machen, wenn sie abgeschlossen ist."_s,
                  undoTitle);
}

Message runNotUndoable(const RecordedRun &run)
{
    return errorReport(u"Die Umbenennung"_s + when(run)
                           + u" lässt sich nicht rückgängig machen: ihre Aufzeichnung ist "
                             u"beschädigt oder unvollständig."_s
                           + lineBreak + u"Es wurde nichts umbenannt."_s,
                       undoTitle);
}

Message folderOfRunUnreachable(const RecordedRun &run)
{
    return errorReport(u"Der Ordner "_s + platform::displayName(run.folder)
                           + u" lässt sich nicht öffnen; vielleicht ist der Datenträger nicht "
                             u"eingesteckt."_s
                           + lineBreak
                           + u"Es wurde nichts umbenannt. Strg+Z versucht es erneut, sobald er "
                             u"wieder da ist."_s,
                       undoTitle);
}

Message undoQuestion(const RecordedRun &run, const UndoCounts &counts)
{
    const int renames = counts.renames, left = counts.left, changed = counts.changed;
    QString count = files(renames) + (renames == 1 ? u" bekommt ihren"_s : u" bekommen ihren"_s)
                    + u" alten Namen zurück."_s;
    if (left > 0)
        count += u" "_s + files(left) + (left == 1 ? u" bleibt"_s : u" bleiben"_s) + u", wie sie "_s
                 + (left == 1 ? u"ist"_s : u"sind"_s) + u" (siehe Details)."_s;
    if (changed > 0)
        count += u" "_s + files(changed) + (changed == 1 ? u" wurde"_s : u" wurden"_s)
                 + u" inzwischen verändert (siehe Details)."_s;
    if (!run.finished)
        count += u" Der Lauf wurde unterbrochen."_s;
    if (counts.questionOpenHere)
        count += u"\nIn einem anderen Fenster ist noch eine Frage zu einer Umbenennung in diesem "
                 u"Ordner offen."_s;
    Message message = question(u"Letzte Umbenennung rückgängig machen?"_s + lineBreak + lineBreak
                                   + u"Ordner: "_s + platform::displayName(run.folder) + lineBreak
                                   + u"Zeit: "_s + timeText(run.started),
                               undoTitle);
    message.informative = count;
    if (changed > 0)
        message.checkBox = {
            changed == 1 ? u"Auch die inzwischen veränderte Datei umbenennen"_s
                         : u"Auch die %1 inzwischen veränderten Dateien umbenennen"_s.arg(changed)};
    return message;
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
    if (tally.kept > 0)
        text += lineBreak + u"Für "_s + files(tally.kept)
                + u" versucht es Strg+Z noch einmal, wenn die Ursache behoben ist."_s;
    if (tally.changedKept > 0)
        text += lineBreak
                + (tally.changedKept == 1
                       ? u"1 veränderte Datei behält ihren jetzigen Namen."_s
                       : u"%1 veränderte Dateien behalten ihren jetzigen Namen."_s.arg(
                           tally.changedKept));
    Message message = report(text, u"Rückgängig gemacht"_s);
    for (const UndoTally::Failure &failure : tally.failures)
        message.details += platform::displayName(failure.file.newName) + u" → "_s
                           + platform::displayName(failure.file.oldName) + u": "_s
                           + causeText(failure.problem) + u'\n';
    for (const JournalEntry &file : tally.leftBehind)
        message.details += quoted(file.newName)
                           + u" bleibt, wie es ist: Die Datei hat ihren alten Namen "_s
                           + quoted(file.oldName)
                           + u" noch; was unter dem neuen steht, gehört nicht zu diesem Lauf, "
                             u"vielleicht ein Platzhalter eines abgebrochenen Laufs.\n"_s;
    return message;
}

QString undoMenuEntry()
{
    return u"Rückgängig"_s;
}

QString undoMenuEntry(const QString &command, int count)
{
    static const QHash<QString, QString> names {{u"both"_s, u"Beides tun"_s},
                                                {u"numbers"_s, u"Zahlen löschen"_s},
                                                {u"underscores"_s, u"Unterstriche entfernen"_s}};
    return u"Rückgängig: "_s + names.value(command, u"Umbenennung"_s) + u", "_s + files(count);
}

QString deleteMenuEntry()
{
    return u"Löschen…"_s;
}

Message deleteQuestion(const QString &name)
{
    return warningQuestion(
        u"Soll "_s + platform::displayName(name) + u" wirklich gelöscht werden?"_s, u"Aufpassen!"_s);
}

Message deleteFailed(const platform::Problem &problem)
{
    Message message = errorReport(
        u"Datei kann aus unerfreulichen Gründen leider nicht gelöscht werden!"_s, u"Geht nicht!"_s);
    message.details = causeText(problem);
    return message;
}

Message driveNotReady()
{
    return report(u"Laufwerkfehler, evtl. keinen Datenträger eingelegt."_s, fatalError);
}

Message folderCannotBeOpened(const QString &folder)
{
    return report(u"Der Ordner "_s + platform::displayName(folder)
                      + u" kann nicht geöffnet werden."_s,
                  fatalError);
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

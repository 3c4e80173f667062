#include "texts/messages.h"

#include "platform/namecodec.h"

#include <QHash>
#include <QLocale>

#include <cerrno>

using namespace Qt::StringLiterals;

namespace namlex::messages {

namespace {

const QChar lineBreak = u'\r';

// "3 Dateien" / "1 Datei"
QString files(int count)
{
    return QString::number(count) + (count == 1 ? u" Datei"_s : u" Dateien"_s);
}

// The share of renamed entries, with the user's decimal separator ("90,0").
QString summaryTitle(const Tally &tally)
{
    const double share = (100.0 / tally.visited) * tally.renamed();
    return u"Ergebnis des Wartens: "_s + QLocale().toString(share, 'f', 1) + u"% Umbenannt"_s;
}

// "1 Datei konnte nicht umbenannt werden."
QString notRenamed(int count)
{
    return files(count) + (count == 1 ? u" konnte"_s : u" konnten"_s)
           + u" nicht umbenannt werden."_s;
}

QString withFailureLine(QString text, const Tally &tally)
{
    if (tally.failed > 0)
        text += lineBreak + notRenamed(tally.failed);
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

// What stands somewhere: "einen Ordner" as the object of a sentence ("an
// einen Ordner vergeben"), "ein Ordner" as its subject.
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
    return subject ? u"ein besonderer Eintrag, etwa eine Pipe"_s : u"einen anderen Eintrag"_s;
}

// What holds a name that is taken, named: "die Datei „TITEL.MP3“".
QString holderText(const std::optional<platform::EntryKind> &kind, const QString &name)
{
    if (!kind)
        return quoted(name);
    switch (*kind) {
    case platform::EntryKind::File:
        return u"die Datei "_s + quoted(name);
    case platform::EntryKind::Folder:
        return u"den Ordner "_s + quoted(name);
    case platform::EntryKind::Link:
        return u"die Verknüpfung "_s + quoted(name);
    case platform::EntryKind::Other:
        break;
    }
    return u"den Eintrag "_s + quoted(name);
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

Message renameFailed(const QString &oldName, const QString &newName, const Reason &problem)
{
    Message message
        = warningQuestion(u"Fehler beim Umbenennen der Datei "_s + platform::displayName(oldName)
                              + u", evtl. Schreibgeschützt."_s + lineBreak
                              + u"Soll mit der nächsten Datei fortgefahren werden?"_s,
                          u"Fehler geortet!"_s);
    message.details = u"Neuer Name: "_s + quoted(newName) + u'\n' + causeText(problem);
    return message;
}

namespace {

// What the system reports, in a sentence.
QString systemCauseText(const platform::Problem &problem)
{
    using platform::Cause;
    using platform::EntryKind;
    switch (problem.cause) {
    case Cause::None:
        return QString();
    case Cause::NameTaken:
        if (!problem.otherName.isEmpty())
            return u"Der Name ist schon an "_s + holderText(problem.kind, problem.otherName)
                   + u" vergeben."_s;
        if (!problem.kind)
            return u"Der Name ist schon vergeben."_s;
        return u"Der Name ist schon an "_s + entryText(problem.kind) + u" vergeben."_s;
    case Cause::ImpossibleName:
        return u"Einen solchen Namen kann es nicht geben (leer, „.“, „..“ oder mit „/“)."_s;
    case Cause::NameTooLong:
        return u"Der Name ist zu lang für dieses Dateisystem."_s;
    case Cause::NameNotAllowed:
        return u"Der Name enthält Zeichen, die dieses Dateisystem nicht erlaubt."_s;
    case Cause::FileGone:
        return u"Die Datei ist nicht mehr da."_s;
    case Cause::FileReplaced:
        return u"Die Datei wurde inzwischen durch "_s
               + (problem.kind == EntryKind::File ? u"eine andere"_s : entryText(problem.kind))
               + u" ersetzt."_s;
    case Cause::NotAFile:
        return u"Das ist keine Datei, sondern "_s + entryText(problem.kind, Role::Subject) + u'.';
    case Cause::WriteProtected:
        return u"Die Datei ist schreibgeschützt."_s;
    case Cause::FileProtected:
        return u"Die Datei ist gegen Änderungen geschützt (unveränderlich oder nur erweiterbar)."_s;
    case Cause::OwnedByOther:
        return u"Die Datei gehört einem anderen Benutzer; in diesem Ordner darf nur er sie "
               u"umbenennen."_s;
    case Cause::NoPermission:
        return u"Keine Berechtigung, in diesem Ordner Dateien umzubenennen."_s;
    case Cause::ReadOnlyMedium:
        return u"Der Datenträger ist schreibgeschützt."_s;
    case Cause::NoSpace:
        return u"Auf dem Datenträger ist kein Platz mehr."_s;
    case Cause::FolderUnreadable:
        return u"Der Ordner lässt sich nicht lesen; vielleicht ist der Datenträger nicht mehr "
               u"da."_s;
    case Cause::NotOwnFolder:
        return u"Der Ordner gehört einem anderen Benutzer."_s;
    case Cause::FolderOpenToOthers:
        return u"Auch andere Benutzer dürfen in diesem Ordner schreiben."_s;
    case Cause::NoNumbersLeft:
        return u"Die Aufzeichnungen haben die höchstmögliche Nummer erreicht."_s;
    case Cause::Other:
        break;
    }
    return u"Ein anderer Fehler ist aufgetreten (Systemfehler %1)."_s.arg(problem.systemError);
}

} // namespace

QString causeText(const Reason &reason)
{
    using Kind = Reason::Kind;
    switch (reason.kind) {
    case Kind::System:
        break;
    case Kind::SameNewName:
        return u"Denselben Namen bekommt schon "_s + quoted(reason.otherName) + u'.';
    case Kind::NameTooLongToEdit:
        return u"Der Name ist zu lang, um bearbeitet zu werden."_s;
    case Kind::NumberingFailed:
        return u"Die Zahl am Anfang lässt sich nicht lesen; sie bleibt im Namen."_s;
    case Kind::OtherFileThere:
        return u"Die Datei wurde inzwischen durch eine andere ersetzt; diese bleibt unberührt."_s;
    case Kind::ChangedSince:
        return u"Die Datei wurde inzwischen verändert oder neu gespeichert."_s;
    case Kind::CaseMayClash:
        return u"Der Name unterscheidet sich von "_s + quoted(reason.otherName)
               + u" nur in Groß- und Kleinschreibung; vielleicht unterscheidet dieses "
                 u"Dateisystem sie nicht."_s;
    case Kind::LengthMayNotFit:
        return u"Der Name ist vielleicht zu lang für dieses Dateisystem; es nennt seine Grenze "
               u"nicht."_s;
    case Kind::RoomMayRunOut:
        return u"Der neue Name braucht im Ordner mehr Platz als der alte; vielleicht ist dort "
               u"keiner mehr frei."_s;
    }
    return systemCauseText(reason.system);
}

QString planCounts(int renames, int kept, int failures, int uncertain)
{
    QString counts = files(renames) + (renames == 1 ? u" wird"_s : u" werden"_s) + u" umbenannt"_s;
    if (uncertain > 0)
        counts += u" (davon %1 unsicher)"_s.arg(uncertain);
    if (kept > 0)
        counts += u", "_s + files(kept) + (kept == 1 ? u" bleibt"_s : u" bleiben"_s)
                  + u" unverändert"_s;
    if (failures > 0)
        counts += u", "_s + files(failures) + (failures == 1 ? u" kann"_s : u" können"_s)
                  + u" nicht umbenannt werden"_s;
    return counts + u'.';
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
    case Cause::NotOwnFolder:
        return u"Der Ordner der Aufzeichnungen "_s + folder
               + u" ist nicht sicher: Er gehört einem anderen Benutzer."_s;
    case Cause::FolderOpenToOthers:
        return u"Der Ordner der Aufzeichnungen "_s + folder
               + u" ist nicht sicher: Auch andere Benutzer dürfen darin schreiben."_s;
    case Cause::NoNumbersLeft:
        return u"Die Aufzeichnungen in "_s + folder
               + u" haben die höchstmögliche Nummer erreicht. Neue Umbenennungen lassen sich "
                 u"erst wieder aufzeichnen, wenn dieser Ordner leer ist."_s;
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
    return u"Achtung: Diese Umbenennung lässt sich nicht aufzeichnen und daher nicht "
           u"rückgängig machen. "_s
           + recordProblemText(problem);
}

QStringList planHeaders()
{
    return {u"Was"_s, u"Alter Name"_s, u"Neuer Name"_s, u"Grund"_s};
}

QStringList undoHeaders()
{
    return {u"Was"_s, u"Jetziger Name"_s, u"Alter Name"_s, u"Grund"_s};
}

Message goOnWithoutRecord(const platform::Problem &problem)
{
    return warningQuestion(u"Diese Umbenennung lässt sich nicht aufzeichnen und daher nicht "
                           u"rückgängig machen. "_s
                               + recordProblemText(problem) + lineBreak + u"Trotzdem umbenennen?"_s,
                           u"Ohne Aufzeichnung"_s);
}

QString renameStep()
{
    return u"umbenennen"_s;
}

QString failStep()
{
    return u"auslassen"_s;
}

QString uncertainStep()
{
    return u"versuchen"_s;
}

QString renameBackStep()
{
    return u"umbenennen"_s;
}

QString changedStep()
{
    return u"auf Wunsch umbenennen"_s;
}

QString keepStep()
{
    return u"belassen"_s;
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

QString undoLine()
{
    return u"Diese Umbenennung lässt sich mit Strg+Z oder über das Kontextmenü der Dateiliste "
           u"rückgängig machen."_s;
}

QStringList failureHeaders()
{
    return {u"Alter Name"_s, u"Neuer Name"_s, u"Grund"_s};
}

QString notRecorded(const platform::Problem &problem)
{
    return u"Diese Umbenennung lässt sich nicht rückgängig machen: Sie konnte nicht "
           u"aufgezeichnet werden. "_s
           + recordProblemText(problem);
}

QString recordIncomplete(const platform::Problem &problem)
{
    return u"Die Aufzeichnung dieser Umbenennung ist unvollständig. "_s
           + recordProblemText(problem)
           + u" Rückgängig machen lässt sie sich trotzdem: Mit Strg+Z bekommt jede Datei, die "
             u"noch unter ihrem neuen Namen steht, ihren alten Namen zurück."_s;
}

Message nothingToUndo()
{
    return report(u"Es gibt keine Umbenennung, die sich rückgängig machen ließe."_s, undoTitle);
}

Message runStillGoing(const RecordedRun &run)
{
    return report(u"Die letzte Umbenennung"_s + when(run) + u" im Ordner "_s + quoted(run.folder)
                      + u" läuft noch."_s + lineBreak
                      + u"Sie lässt sich rückgängig machen, sobald sie abgeschlossen ist."_s,
                  undoTitle);
}

Message runNotUndoable(const RecordedRun &run)
{
    return errorReport(u"Die Umbenennung"_s + when(run)
                           + u" lässt sich nicht rückgängig machen: Ihre Aufzeichnung ist "
                             u"beschädigt oder unvollständig."_s
                           + lineBreak + u"Es wurde nichts umbenannt."_s,
                       undoTitle);
}

Message folderOfRunUnreachable(const RecordedRun &run)
{
    return errorReport(u"Der Ordner "_s + quoted(run.folder)
                           + u" lässt sich nicht öffnen; vielleicht ist der Datenträger nicht "
                             u"angeschlossen."_s
                           + lineBreak
                           + u"Es wurde nichts umbenannt. Sobald der Datenträger wieder da ist, "
                             u"lässt es sich mit Strg+Z noch einmal versuchen."_s,
                       undoTitle);
}

Message undoQuestion(const RecordedRun &run, const UndoCounts &counts)
{
    const int renames = counts.renames, left = counts.left, changed = counts.changed;
    QString count = files(renames) + (renames == 1 ? u" bekommt ihren"_s : u" bekommen ihren"_s)
                    + u" alten Namen zurück."_s;
    if (left > 0)
        count += u" "_s + files(left) + (left == 1 ? u" behält"_s : u" behalten"_s)
                 + u" ihren jetzigen Namen (siehe Details)."_s;
    if (changed > 0)
        count += u" "_s + files(changed) + (changed == 1 ? u" wurde"_s : u" wurden"_s)
                 + u" inzwischen verändert (siehe Details)."_s;
    if (run.incomplete)
        count += u" Die Umbenennung wurde unvollständig aufgezeichnet."_s;
    else if (!run.finished)
        count += u" Die Umbenennung wurde unterbrochen."_s;
    if (counts.questionOpenHere)
        count += u"\nIn einem anderen Fenster ist noch eine Frage zu einer Umbenennung in diesem "
                 u"Ordner offen."_s;
    Message message = question(u"Letzte Umbenennung rückgängig machen?"_s + lineBreak + lineBreak
                                   + u"Befehl: "_s + commandName(run.command) + lineBreak
                                   + u"Ordner: "_s + quoted(run.folder) + lineBreak + u"Zeit: "_s
                                   + timeText(run.started),
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
                   + u" ihren alten Namen wieder."_s;
    if (failed > 0)
        text += lineBreak + notRenamed(failed);
    if (tally.kept > 0)
        text += lineBreak + u"Für "_s + files(tally.kept)
                + u" lässt es sich mit Strg+Z noch einmal versuchen, sobald die Ursache behoben "
                  u"ist."_s;
    if (tally.changedKept > 0)
        text += lineBreak + QString::number(tally.changedKept)
                + (tally.changedKept == 1 ? u" inzwischen veränderte Datei behält"_s
                                          : u" inzwischen veränderte Dateien behalten"_s)
                + u" ihren jetzigen Namen."_s;
    Message message = report(text, u"Rückgängig gemacht"_s);
    for (const UndoTally::Failure &failure : tally.failures)
        message.details += platform::displayName(failure.file.newName) + u" → "_s
                           + platform::displayName(failure.file.oldName) + u": "_s
                           + causeText(failure.problem) + u'\n';
    for (const JournalEntry &file : tally.leftBehind)
        message.details += u"Die Datei "_s + quoted(file.oldName)
                           + u" hat ihren alten Namen behalten. Was unter "_s + quoted(file.newName)
                           + u" steht, gehört nicht zu dieser Umbenennung und bleibt "
                             u"unberührt.\n"_s;
    return message;
}

QString undoMenuEntry()
{
    return u"Rückgängig"_s;
}

QString undoMenuEntry(const QString &command, int count)
{
    return u"Rückgängig: "_s + commandName(command) + u", "_s + files(count);
}

QString commandName(const QString &command)
{
    static const QHash<QString, QString> names {{u"both"_s, u"Beides tun"_s},
                                                {u"numbers"_s, u"Zahlen löschen"_s},
                                                {u"underscores"_s, u"Unterstriche entfernen"_s}};
    return names.value(command, u"Umbenennung"_s);
}

Message nothingToRenameBack(const RecordedRun &run, bool renamedBefore, int left)
{
    const QString last
        = u"der letzten Umbenennung („"_s + commandName(run.command) + u"“"_s + when(run) + u')';
    QString why;
    if (left > 0)
        why = u"Keine Datei "_s + last
              + u" bekommt ihren alten Namen zurück; die Gründe stehen in den Details."_s;
    else if (renamedBefore)
        why = u"Die Dateien "_s + last + u" haben ihre alten Namen schon wieder."_s;
    else
        why = u"Die letzte Umbenennung („"_s + commandName(run.command)
              + u"“) endete, bevor sie eine Datei umbenannt hat."_s;
    return report(u"Es gibt nichts rückgängig zu machen."_s + lineBreak + why, undoTitle);
}

QString undoStopped(int left)
{
    return u"Abgebrochen: "_s + files(left)
           + (left == 1 ? u" hat noch ihren neuen Namen."_s : u" haben noch ihren neuen Namen."_s)
           + u" Mit Strg+Z lässt sich auch das rückgängig machen."_s;
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
    return report(u"Der Ordner "_s + quoted(folder) + u" lässt sich nicht öffnen."_s, fatalError);
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

QString missingValue(const QString &option)
{
    return u"Nach „"_s + platform::displayName(option) + u"“ fehlt ein Wert."_s;
}

QString unexpectedValue(const QString &option)
{
    return u"„"_s + platform::displayName(option) + u"“ erwartet keinen Wert."_s;
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

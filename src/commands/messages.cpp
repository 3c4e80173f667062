#include "commands/messages.h"

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

Message renameFailed(const QString &oldName)
{
    return warningQuestion(u"Fehler beim Umbenennen der Datei "_s + platform::displayName(oldName)
                               + u", evtl. Schreibgeschützt."_s + lineBreak
                               + u"Soll mit der nächsten Datei fortgefahren werden?"_s,
                           u"Fehler geortet!"_s);
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

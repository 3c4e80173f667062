#include "commands/messages.h"

#include "platform/namecodec.h"

#include <QLocale>

using namespace Qt::StringLiterals;

namespace namlex::messages {

namespace {

const QChar lineBreak = u'\r';

Message report(const QString &text, const QString &title)
{
    return {text, title, Buttons::Ok, MessageIcon::None};
}

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

} // namespace

Message noFilesInFolder()
{
    return report(u"Keine Dateien im Ordner."_s, u"Fatal Error"_s);
}

Message noFilesShown()
{
    return report(u"Es werden keine Dateien angezeigt, evtl. auf 'Alle Dateien' umschalten, um "
                  u"den gesamten Ordnerinhalt angezeigt zu bekommen."_s,
                  u"Fatal Error"_s);
}

Message numberingFailed(const QString &name)
{
    return report(u"Beim bearbeiten des Dateinamens  von "_s + platform::displayName(name)
                      + u" trat ein unerwünschter Fehler auf."_s,
                  u"Fatal Error"_s);
}

Message renameFailed(const QString &oldName)
{
    return {u"Fehler beim Umbenennen der Datei "_s + platform::displayName(oldName)
                + u", evtl. Schreibgeschützt."_s + lineBreak
                + u"Soll mit der nächsten Datei fortgefahren werden?"_s,
            u"Fehler geortet!"_s, Buttons::YesNo, MessageIcon::Warning};
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

} // namespace namlex::messages

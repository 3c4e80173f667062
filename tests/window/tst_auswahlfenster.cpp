#include "rawfiles.h"
#include "windowbench.h"

#include "platform/namecodec.h"
#include "window/driveselector.h"
#include "window/filelistbox.h"
#include "window/foldertree.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QMargins>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>
#include <QTextDocument>
#include <QTimer>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;
using namespace namlex;
using namespace namlex::test;

namespace {

// What the controls show at one summary refresh.
struct Snapshot
{
    QString pathLabel, listPath, treeTip, pathTip, driveTip;
    bool operator==(const Snapshot &) const = default;
};

Snapshot snapshot(const WindowBench &bench)
{
    return {bench.find<QLabel>(u"PfadAnz"_s)->text(), bench.find<FileListBox>(u"File1"_s)->path(),
            bench.find<QWidget>(u"Dir1"_s)->toolTip(), bench.find<QWidget>(u"PfadAnz"_s)->toolTip(),
            bench.find<QWidget>(u"Drive1"_s)->toolTip()};
}

// What a tool tip shows: Qt draws one that looks like markup as rich text.
QString seenIn(const QString &toolTip)
{
    if (!Qt::mightBeRichText(toolTip))
        return toolTip;
    QTextDocument document;
    document.setHtml(toolTip);
    return document.toPlainText();
}

QString caption(const QWidget *control)
{
    if (const auto *frame = qobject_cast<const QGroupBox *>(control))
        return frame->title();
    return control->property("text").toString();
}

// The contrast ratio of two colours as the WCAG define it.
double contrast(QRgb a, QRgb b)
{
    const auto luminance = [](QRgb colour) {
        const auto linear = [](int channel) {
            const double c = channel / 255.0;
            return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(qRed(colour)) + 0.7152 * linear(qGreen(colour))
               + 0.0722 * linear(qBlue(colour)) + 0.05;
    };
    return std::max(luminance(a), luminance(b)) / std::min(luminance(a), luminance(b));
}

// How the file list's menu is asked for: a right click on the second entry,
// or the menu key.
enum class Opening { RightClick, MenuKey };

// What happened before the menu: nothing, the both command, or the both
// command and then every file given back its old name by hand.
enum class Before { Nothing, Run, RunPutBackByHand };

void showActive(QWidget &window)
{
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

} // namespace

class TestAuswahlFenster : public QObject
{
    Q_OBJECT

private Q_SLOTS:

    void controlsAsDesigned_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("toolTip");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("ZahlenLöschen")
            << u"1. Zahlen löschen"_s << u"Löscht die Nummerierung am Anfang des Dateinamens"_s
            << QRect(448, 304, 129, 25);
        QTest::newRow("File1") << QString() << QString() << QRect(296, 32, 281, 262);
        QTest::newRow("Label1")
            << u"Gewählte Dateien:"_s
            << u"Die in diesem Fenster aufgeführten Dateien können bearbeitet werden"_s
            << QRect(296, 16, 113, 17);
        QTest::newRow("Dir1") << QString() << u"<folder>"_s << QRect(8, 32, 281, 261);
        QTest::newRow("Label2") << u"Aktueller Pfad:"_s << u"Wie gesagt..."_s
                                << QRect(8, 296, 113, 17);
        QTest::newRow("Label3") << u"Ordnerwahl:"_s << u"Ordner auswählern, wie im Explorer"_s
                                << QRect(8, 16, 73, 17);
        QTest::newRow("AppPath")
            << u"Zum Programmordner springen"_s
            << u"Wechseln zum Ordner, von dem aus das Programm gestartet wurde "_s
            << QRect(104, 13, 161, 17);
        QTest::newRow("Label4") << u"Laufwerk:"_s << u"Laufwerk auswählen"_s
                                << QRect(8, 352, 121, 17);
        QTest::newRow("USLöschen") << u"2. Unterstriche entfernen"_s
                                   << u"Ersetzt die hässlichen Unterstriche (_) durch Leerzeichen"_s
                                   << QRect(448, 336, 129, 25);
        QTest::newRow("Label5") << u"vom Quillo"_s
                                << u"Programmiert vom Quillo, nach einer Idee von Brem."_s
                                << QRect(536, 0, 81, 17);
        QTest::newRow("Frame1") << u"Filterauswahl:"_s << QString() << QRect(296, 296, 121, 50);
        QTest::newRow("Option2") << u"Alle Dateien"_s
                                 << u"Wählt alle in diesem Ordner Befindlichen Dateien aus"_s
                                 << QRect(8, 32, 105, 13);
        QTest::newRow("Option1") << u"Nur mp3 und wma"_s << u"Wählt nur mp3 und wma Dateien aus"_s
                                 << QRect(8, 16, 111, 13);
        QTest::newRow("BeidesLöschen")
            << u"+ Beides tun +"_s
            << u"Beide Funktionen ausführen, spart Zeit! Oder einfach [ENTER] drücken!"_s
            << QRect(448, 368, 129, 25);
        QTest::newRow("NurMitNull")
            << u"Nur Dateien mit einer Null am Anfang bearbeiten"_s
            << u"Wenn keine Null am Anfang steht, wird die Zahl nicht entfernt, z.B. bei \"89er's - Kingston Town\""_s
            << QRect(304, 352, 129, 41);
        QTest::newRow("Hilfe") << u"> Hilfe <"_s << u"Hilfe durch zeigen auf das entspr. Objekt!"_s
                               << QRect(536, 13, 49, 17);
    }

    void controlsAsDesigned()
    {
        QFETCH(QString, caption);
        QFETCH(QString, toolTip);
        QFETCH(QRect, geometry);
        WindowBench bench;
        bench.open(bench.path(u"A/Musik"_s));
        // Each row is named after its control.
        const QWidget *control = bench.find<QWidget>(QString::fromUtf8(QTest::currentDataTag()));
        QVERIFY(control);
        QCOMPARE(::caption(control), caption);
        QCOMPARE(control->toolTip(),
                 QString(toolTip).replace(u"<folder>"_s, bench.path(u"A/Musik"_s)));
        QCOMPARE(control->geometry(), geometry);
    }

    // Under a dark desktop palette the window keeps its own grounds, and the
    // text on them still reads. Each row cuts off the frames, indicators and
    // overlapping neighbours whose dark edges would count as text.
    void coloursUnderADarkTheme_data()
    {
        QTest::addColumn<QString>("control"); // empty: the selected file
        QTest::addColumn<QMargins>("margins");
        QTest::addColumn<QColor>("ground"); // invalid: any
        const QColor window(0xC2, 0xBF, 0x81);
        for (const char *label : {"Label1", "Label2", "PfadAnz", "Label3", "Label4", "FileInfo"})
            QTest::newRow(label) << QString::fromLatin1(label) << QMargins() << window;
        QTest::newRow("Label5") << u"Label5"_s << QMargins(0, 0, 0, 4) << window;
        QTest::newRow("Hilfe") << u"Hilfe"_s << QMargins(0, 4, 0, 0) << window;
        QTest::newRow("Frame1 caption") << u"Frame1"_s << QMargins(0, 0, 0, 36) << window;
        for (const char *option : {"Option1", "Option2", "NurMitNull"})
            QTest::newRow(option) << QString::fromLatin1(option) << QMargins(18, 0, 0, 0)
                                  << QColor();
        QTest::newRow("File1") << u"File1"_s << QMargins() << QColor(0xE8, 0xE7, 0xD0);
        QTest::newRow("selected file") << QString() << QMargins() << QColor();
        // The coloured faces are flat, not shaded by the style.
        QTest::newRow("AppPath") << u"AppPath"_s << QMargins(3, 3, 3, 3)
                                 << QColor(0x6A, 0xAD, 0x61);
        QTest::newRow("BeidesLöschen")
            << u"BeidesLöschen"_s << QMargins(3, 3, 3, 3) << QColor(0x80, 0xFF, 0x80);
        QTest::newRow("Drive1") << u"Drive1"_s << QMargins(3, 3, 24, 3) << QColor(0xDA, 0xD8, 0xB4);
    }

    void coloursUnderADarkTheme()
    {
        QFETCH(QString, control);
        QFETCH(QMargins, margins);
        QFETCH(QColor, ground);
        const auto restore
            = qScopeGuard([saved = QApplication::palette()] { QApplication::setPalette(saved); });
        QPalette dark = QApplication::palette();
        for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
            dark.setColor(role, QColor(0x2D, 0x2D, 0x2D));
        for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            dark.setColor(role, QColor(0xEE, 0xEE, 0xEE));
        QApplication::setPalette(dark);
        WindowBench bench;
        bench.touch(u"A/Musik/a.mp3"_s);
        AuswahlFenster &window = bench.open(bench.path(u"A/Musik"_s));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *list = bench.find<FileListBox>(u"File1"_s);
        const QWidget *widget = control.isEmpty() ? list->viewport() : bench.find<QWidget>(control);
        if (control.isEmpty())
            QVERIFY(list->setListIndex(0));
        const QRect area = control.isEmpty() ? list->visualRect(list->model()->index(0, 0))
                                             : widget->rect().marginsRemoved(margins);

        // Cut from the whole window, where transparent controls show the window.
        const QImage image = window.grab().toImage().copy(
            QRect(widget->mapTo(&window, area.topLeft()), area.size()).intersected(window.rect()));
        QHash<QRgb, int> counts;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                ++counts[image.pixel(x, y)];
        }
        const QRgb background
            = std::max_element(counts.keyValueBegin(), counts.keyValueEnd(), [](auto a, auto b) {
                  return a.second < b.second;
              })->first;
        double best = 0;
        for (const QRgb pixel : counts.keys())
            best = std::max(best, contrast(pixel, background));
        if (ground.isValid())
            QCOMPARE(QColor(background), ground);
        QVERIFY2(best >= 4.5, qPrintable(u"%1:1"_s.arg(best, 0, 'f', 1)));
    }

    void windowAfterLoad()
    {
        WindowBench bench;
        AuswahlFenster &window = bench.open(std::nullopt);
        QCOMPARE(window.windowTitle(), u"Namlex 1.2"_s);
        QCOMPARE(window.size(), QSize(585, 396));
        QCOMPARE(window.minimumSize(), window.maximumSize());
        QVERIFY(!window.windowIcon().isNull());
        QVERIFY(bench.find<QRadioButton>(u"Option1"_s)->isChecked());
        QVERIFY(!bench.find<QRadioButton>(u"Option2"_s)->isChecked());
        QCOMPARE(bench.find<QCheckBox>(u"NurMitNull"_s)->checkState(), Qt::Checked);
        QCOMPARE(bench.find<FileListBox>(u"File1"_s)->pattern(), u"*.mp3;*.wma"_s);
        QCOMPARE(bench.find<QTimer>(u"Timer1"_s)->interval(), 1000);
        QVERIFY(bench.find<QTimer>(u"Timer1"_s)->isActive());
        QVERIFY(bench.prompter.shown.isEmpty());
    }

    void tabOrderVisitsTheControls()
    {
        WindowBench bench;
        AuswahlFenster &window = bench.open(bench.path(u"A/Musik"_s));
        showActive(window);
        QStringList visited {QApplication::focusWidget()->objectName()};
        for (int i = 0; i < 9; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited.append(QApplication::focusWidget()->objectName());
        }
        QCOMPARE(visited, (QStringList {u"ZahlenLöschen"_s, u"File1"_s, u"Dir1"_s, u"AppPath"_s,
                                        u"Drive1"_s, u"USLöschen"_s, u"Option1"_s,
                                        u"BeidesLöschen"_s, u"NurMitNull"_s, u"ZahlenLöschen"_s}));
    }

    void folderChangeUpdatesInOrder()
    {
        WindowBench bench;
        const QString before = bench.path(u"A/Musik"_s);
        const QString after = bench.path(u"A/Programm"_s);
        AuswahlFenster &window = bench.open(before);
        QList<Snapshot> refreshes;
        connect(&window, &AuswahlFenster::summaryRefreshed, this,
                [&] { refreshes.append(snapshot(bench)); });
        const QString driveTip = bench.find<QWidget>(u"Drive1"_s)->toolTip();

        QVERIFY(bench.find<FolderTree>(u"Dir1"_s)->setPath(after));
        // The label and the list follow before the summary, the tool tips after it.
        QCOMPARE(refreshes, (QList<Snapshot> {{after, after, before, before, driveTip}}));
        QCOMPARE(snapshot(bench), (Snapshot {after, after, after, after, driveTip}));
    }

    void driveChangeNestsTheFolderChange()
    {
        WindowBench bench;
        const QString a = bench.path(u"A/Musik"_s);
        const QString b = bench.path(u"B"_s);
        AuswahlFenster &window = bench.open(a);
        auto *drive = bench.find<DriveSelector>(u"Drive1"_s);
        const QString driveA = drive->drive();
        QCOMPARE(driveA, bench.path(u"A"_s) + u" [A]"_s);
        QList<Snapshot> refreshes;
        connect(&window, &AuswahlFenster::summaryRefreshed, this,
                [&] { refreshes.append(snapshot(bench)); });

        drive->setCurrentIndex(drive->findText(b + u" [B]"_s));
        // An unvisited drive opens at its root: once inside the folder change,
        // once in the drive change, and only then does the drive's tool tip follow.
        QCOMPARE(refreshes, (QList<Snapshot> {{b, b, a, a, driveA}, {b, b, b, b, driveA}}));
        QCOMPARE(drive->toolTip(), b + u" [B]"_s);

        // Back on A, the folder last shown there comes back.
        drive->setCurrentIndex(drive->findText(driveA));
        QCOMPARE(bench.find<FolderTree>(u"Dir1"_s)->path(), a);
        QVERIFY(bench.prompter.shown.isEmpty());
    }

    void driveWithoutMediumIsReportedAndRestored()
    {
        WindowBench bench;
        bench.volumes.notReady.insert(bench.path(u"B"_s));
        bench.open(bench.path(u"A/Musik"_s));
        auto *drive = bench.find<DriveSelector>(u"Drive1"_s);
        const QString driveA = drive->drive();

        drive->setCurrentIndex(drive->findText(bench.path(u"B"_s) + u" [B]"_s));
        QCOMPARE(bench.prompter.shown,
                 (QList<Message> {{u"Laufwerkfehler, evtl. keinen Datenträger eingelegt."_s,
                                   u"Fatal Error"_s, Buttons::Ok, MessageIcon::None}}));
        QCOMPARE(drive->drive(), driveA);
        QCOMPARE(bench.find<FolderTree>(u"Dir1"_s)->path(), bench.path(u"A/Musik"_s));
    }

    void jumpToProgramFolder()
    {
        WindowBench bench;
        AuswahlFenster &window = bench.open(bench.path(u"B/Musik"_s));
        int refreshes = 0;
        connect(&window, &AuswahlFenster::summaryRefreshed, this, [&] { ++refreshes; });
        auto *jump = bench.find<QPushButton>(u"AppPath"_s);

        jump->click();
        QCOMPARE(bench.find<FolderTree>(u"Dir1"_s)->path(), bench.path(u"A/Programm"_s));
        QCOMPARE(bench.find<DriveSelector>(u"Drive1"_s)->drive(), bench.path(u"A"_s) + u" [A]"_s);
        QCOMPARE(refreshes, 3);

        // Already there: nothing changes, and the summary is refreshed all the same.
        refreshes = 0;
        jump->click();
        QCOMPARE(refreshes, 1);
        QCOMPARE(bench.find<QLabel>(u"PfadAnz"_s)->text(), bench.path(u"A/Programm"_s));
    }

    void filterAndSummary_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("summary");
        const QStringList three {u"a.mp3"_s, u"b.txt"_s, u"C.WMA"_s};
        QTest::newRow("music files counted") << three << u"Option1"_s << u"2 .mp3 bzw .wma"_s;
        QTest::newRow("all files counted") << three << u"Option2"_s << u"3 (alle Typen)"_s;
        QTest::newRow("no music files")
            << QStringList {u"b.txt"_s} << u"Option1"_s << u"keine Brauchbaren"_s;
        QTest::newRow("empty folder") << QStringList() << u"Option2"_s << u"keine"_s;
    }

    void filterAndSummary()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, option);
        QFETCH(QString, summary);
        WindowBench bench;
        for (const QString &file : files)
            bench.touch(u"A/Musik/"_s + file);
        bench.open(bench.path(u"A/Musik"_s));
        bench.find<QRadioButton>(option)->click();
        QCOMPARE(bench.find<QLabel>(u"FileInfo"_s)->text(), summary);
    }

    void namesShowAsTheyAre_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QByteArray>("second"); // the second file's name
        QTest::addColumn<QString>("folderShown");
        QTest::addColumn<QString>("toolTip");
        QTest::newRow("plain names") << u"Musik"_s << "b.mp3"_ba << u"Musik"_s << u"b.mp3"_s;
        QTest::newRow("name that is not UTF-8")
            << u"Musik"_s << "b\xe4.mp3"_ba << u"Musik"_s << u"b[ä].mp3"_s;
        QTest::newRow("names that look like markup")
            << u"<i>Musik"_s << "<b>x.mp3"_ba << u"<i>Musik"_s << u"<b>x.mp3"_s;
        QTest::newRow("folder name with a line break")
            << u"Neue\nMusik"_s << "b.mp3"_ba << u"Neue[U+000A]Musik"_s << u"b.mp3"_s;
    }

    // The path label, the folder tree and the tool tips show names as the
    // boxes do; the tool tips never as markup.
    void namesShowAsTheyAre()
    {
        QFETCH(QString, folder);
        QFETCH(QByteArray, second);
        QFETCH(QString, folderShown);
        QFETCH(QString, toolTip);
        WindowBench bench;
        QVERIFY(QDir().mkpath(bench.path(folder)));
        const QByteArray raw = QFile::encodeName(bench.path(folder));
        const auto remove = qScopeGuard([&] { removeRawFiles(raw); });
        for (const QByteArray &name : {"a.mp3"_ba, second})
            writeRawFile(raw, name, name);
        bench.open(bench.path(folder));
        auto *list = bench.find<FileListBox>(u"File1"_s);
        QVERIFY(list->setListIndex(int(list->names().indexOf(platform::decodeName(second)))));
        QCOMPARE(seenIn(list->toolTip()), toolTip);
        const QString path = bench.path(u""_s) + folderShown;
        QCOMPARE(bench.find<QLabel>(u"PfadAnz"_s)->text(), path);
        QCOMPARE(seenIn(bench.find<QWidget>(u"PfadAnz"_s)->toolTip()), path);
        QCOMPARE(bench.find<FolderTree>(u"Dir1"_s)->currentItem()->text(), folderShown);
    }

    void deleteKey_data()
    {
        QTest::addColumn<int>("selected");
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<QStringList>("remaining");
        QTest::addColumn<int>("selectedAfter");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<bool>("writeProtected"); // b.mp3 has no write permission
        const QStringList all {u"a.mp3"_s, u"b.mp3"_s, u"c.mp3"_s};
        const QStringList refused {u"Aufpassen!"_s, u"Geht nicht!"_s};
        const QStringList ask {u"Aufpassen!"_s};
        QTest::newRow("yes deletes and moves up")
            << 1 << Answer::Yes << QStringList {u"a.mp3"_s, u"c.mp3"_s} << 0 << ask << false;
        QTest::newRow("no keeps everything") << 1 << Answer::No << all << 1 << ask << false;
        QTest::newRow("top entry leaves nothing selected")
            << 0 << Answer::Yes << QStringList {u"b.mp3"_s, u"c.mp3"_s} << -1 << ask << false;
        QTest::newRow("nothing selected deletes nothing")
            << -1 << Answer::Yes << all << -1 << refused << false;
        QTest::newRow("write-protected file is kept")
            << 1 << Answer::Yes << all << 1 << refused << true;
    }

    void deleteKey()
    {
        QFETCH(int, selected);
        QFETCH(Answer, answer);
        QFETCH(QStringList, remaining);
        QFETCH(int, selectedAfter);
        QFETCH(QStringList, titles);
        QFETCH(bool, writeProtected);
        WindowBench bench;
        for (const QString &name : {u"a.mp3"_s, u"b.mp3"_s, u"c.mp3"_s})
            bench.touch(u"A/Musik/"_s + name);
        if (writeProtected)
            QVERIFY(QFile::setPermissions(bench.path(u"A/Musik/b.mp3"_s), QFile::ReadOwner));
        AuswahlFenster &window = bench.open(bench.path(u"A/Musik"_s));
        const QString summary = bench.find<QLabel>(u"FileInfo"_s)->text();
        showActive(window);
        auto *list = bench.find<FileListBox>(u"File1"_s);
        list->setFocus();
        QVERIFY(list->setListIndex(selected));
        bench.prompter.answers = {answer};

        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(bench.prompter.titles(), titles);
        const QString name
            = selected < 0 ? QString() : list->model()->index(selected, 0).data().toString();
        QCOMPARE(bench.prompter.shown.first().text,
                 u"Soll "_s + name + u" wirklich gelöscht werden?"_s);
        QCOMPARE(QDir(bench.path(u"A/Musik"_s)).entryList(QDir::Files), remaining);
        QCOMPARE(list->listIndex(), selectedAfter);
        // The list and the summary stay as they were until the next re-read.
        QCOMPARE(list->listCount(), 3);
        QCOMPARE(bench.find<QLabel>(u"FileInfo"_s)->text(), summary);
    }

    // The file list's menu offers undo and delete, greyed out when there is
    // nothing to act on, and does what Ctrl+Z and Delete do.
    void fileListMenu_data()
    {
        QTest::addColumn<Opening>("opening");
        QTest::addColumn<Before>("before");
        QTest::addColumn<bool>("addedMeanwhile"); // a file turns up while the menu is open
        QTest::addColumn<QStringList>("entries"); // greyed out ones in brackets
        QTest::addColumn<QKeySequence>("keys"); // pressed in the menu
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QStringList>("remaining");
        const QStringList all {u"01_a.mp3"_s, u"02_b.mp3"_s, u"03_c.mp3"_s};
        const QStringList deleted {u"Aufpassen!"_s}, withoutB {all[0], all[2]};
        const QStringList undone {u"Rückgängig machen"_s, u"Rückgängig gemacht"_s};
        const QString undo = u"[Rückgängig\tCtrl+Z]"_s, remove = u"Löschen…\tDel"_s;
        const QStringList afterRun {u"Rückgängig: Beides tun, 3 Dateien\tCtrl+Z"_s,
                                    u'[' + remove + u']'};
        const QKeySequence choose(Qt::Key_Down, Qt::Key_Return);
        QTest::newRow("nothing to undo, nothing selected")
            << Opening::MenuKey << Before::Nothing << false
            << QStringList {undo, u'[' + remove + u']'} << QKeySequence() << QStringList() << all;
        QTest::newRow("right click selects the entry, delete deletes it")
            << Opening::RightClick << Before::Nothing << false << QStringList {undo, remove}
            << choose << deleted << withoutB;
        QTest::newRow("a run to undo")
            << Opening::MenuKey << Before::Run << false << afterRun << choose << undone << all;
        QTest::newRow("a run whose files were put back by hand")
            << Opening::MenuKey << Before::RunPutBackByHand << false
            << QStringList {u"[Rückgängig: Beides tun, 0 Dateien\tCtrl+Z]"_s, u'[' + remove + u']'}
            << QKeySequence() << QStringList() << all;
        QTest::newRow("list re-read while the menu is open")
            << Opening::RightClick << Before::Nothing << true << QStringList {undo, remove}
            << choose << deleted << QStringList {u"00.mp3"_s} + withoutB;
    }

    void fileListMenu()
    {
        QFETCH(Opening, opening);
        QFETCH(Before, before);
        QFETCH(bool, addedMeanwhile);
        QFETCH(QKeySequence, keys);
        WindowBench bench;
        const QStringList names {u"01_a.mp3"_s, u"02_b.mp3"_s, u"03_c.mp3"_s};
        for (const QString &name : names)
            bench.touch(u"A/Musik/"_s + name);
        AuswahlFenster &window = bench.open(bench.path(u"A/Musik"_s));
        if (before != Before::Nothing)
            bench.find<QPushButton>(u"BeidesLöschen"_s)->click();
        for (const QString &name : names) {
            if (before == Before::RunPutBackByHand)
                QVERIFY(QFile::rename(bench.path(u"A/Musik/"_s + name.section(u'_', 1)),
                                      bench.path(u"A/Musik/"_s + name)));
        }
        bench.prompter.shown.clear();
        showActive(window);
        auto *list = bench.find<FileListBox>(u"File1"_s);
        QVERIFY(list->setListIndex(-1));
        QStringList entries;
        QTimer::singleShot(0, list, [&] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            for (const QAction *action : menu ? menu->actions() : QList<QAction *>()) {
                const QString entry = action->text() + u'\t' + action->shortcut().toString();
                entries.append(action->isEnabled() ? entry : u'[' + entry + u']');
            }
            if (addedMeanwhile) {
                bench.touch(u"A/Musik/00.mp3"_s);
                bench.find<QTimer>(u"Timer1"_s)->setInterval(1);
                QTest::qWait(100);
            }
            if (menu) {
                QTest::keySequence(menu, keys);
                menu->close();
            }
        });
        const bool mouse = opening == Opening::RightClick;
        const QPoint at = mouse ? list->visualRect(list->model()->index(1, 0)).center() : QPoint();
        QContextMenuEvent event(mouse ? QContextMenuEvent::Mouse : QContextMenuEvent::Keyboard, at,
                                list->viewport()->mapToGlobal(at));
        QApplication::sendEvent(mouse ? list->viewport() : list, &event);
        QTEST(entries, "entries");
        QTEST(bench.prompter.titles(), "titles");
        QTEST(QDir(bench.path(u"A/Musik"_s)).entryList(QDir::Files), "remaining");
    }

    // Tabbing into the list puts Qt's focus mark on the first entry without
    // selecting it; the cursor keys must act the same before and after a
    // timer tick.
    void cursorKeysSelectTheFirstEntry_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("tick");
        QTest::newRow("Home") << int(Qt::Key_Home) << false;
        QTest::newRow("Down") << int(Qt::Key_Down) << false;
        QTest::newRow("Page Down") << int(Qt::Key_PageDown) << false;
        QTest::newRow("Home after a tick") << int(Qt::Key_Home) << true;
        QTest::newRow("Down after a tick") << int(Qt::Key_Down) << true;
    }

    void cursorKeysSelectTheFirstEntry()
    {
        QFETCH(int, key);
        QFETCH(bool, tick);
        WindowBench bench;
        for (const QString &name : {u"a.mp3"_s, u"b.mp3"_s, u"c.mp3"_s})
            bench.touch(u"A/Musik/"_s + name);
        AuswahlFenster &window = bench.open(bench.path(u"A/Musik"_s));
        auto *timer = bench.find<QTimer>(u"Timer1"_s);
        timer->stop();
        showActive(window);
        auto *list = bench.find<FileListBox>(u"File1"_s);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), list);
        if (tick) {
            QSignalSpy listed(list, &FileListBox::backgroundListed);
            timer->start(1);
            QVERIFY(listed.wait());
            timer->stop();
        }
        QTest::keyClick(list, Qt::Key(key));
        QCOMPARE(list->listIndex(), 0);
    }

    void storedFolderOnAnUnreadyDriveFallsBack()
    {
        WindowBench bench;
        bench.volumes.notReady.insert(bench.path(u"B"_s));
        bench.open(bench.path(u"B/Musik"_s));
        QCOMPARE(bench.find<FolderTree>(u"Dir1"_s)->path(), bench.path(u"A/Programm"_s));
        QVERIFY(bench.prompter.shown.isEmpty());
    }

    void enterRunsTheBothCommand_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QStringList>("titles");
        const QStringList confirmation {u"Bestätigung!"_s};
        QTest::newRow("Return on the first button")
            << u"ZahlenLöschen"_s << int(Qt::Key_Return) << 0 << confirmation;
        QTest::newRow("Return in the file list")
            << u"File1"_s << int(Qt::Key_Return) << 0 << confirmation;
        QTest::newRow("keypad Enter on the check box")
            << u"NurMitNull"_s << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << confirmation;
        QTest::newRow("Shift+Return on the filter")
            << u"Option1"_s << int(Qt::Key_Return) << int(Qt::ShiftModifier) << confirmation;
        QTest::newRow("Return in the folder tree opens a folder only")
            << u"Dir1"_s << int(Qt::Key_Return) << 0 << QStringList();
    }

    void enterRunsTheBothCommand()
    {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QStringList, titles);
        WindowBench bench;
        bench.touch(u"A/Musik/01_a.mp3"_s);
        AuswahlFenster &window = bench.open(bench.path(u"A/Musik"_s));
        showActive(window);
        QWidget *control = bench.find<QWidget>(focus);
        control->setFocus();
        bench.prompter.answers = {Answer::No};
        QTest::keyClick(control, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(bench.prompter.titles(), titles);
        QCOMPARE(bench.find<FolderTree>(u"Dir1"_s)->path(), bench.path(u"A/Musik"_s));
    }

    // While a box of the run is open, the entry it concerns is selected and
    // named by the list's tool tip; afterwards the selection is where
    // stepping through the list would have left it.
    void runSelectsTheEntryOfEachBox_data()
    {
        QTest::addColumn<QList<Answer>>("answers");
        QTest::addColumn<QStringList>("seen"); // title: selected index, tool tip
        QTest::addColumn<int>("selectedAfter");
        const QString question = u"Bestätigung!: 2, b.mp3"_s;
        const QString error = u"Fehler geortet!: 1, 02 - b.mp3"_s;
        QTest::newRow("going on after a failure ends on the last entry")
            << QList<Answer> {Answer::Yes, Answer::Yes}
            << QStringList {question, error, u"Ergebnis des Wartens: 50.0% Umbenannt: 3, c d.mp3"_s}
            << 3;
        QTest::newRow("Nein after a failure ends on that entry")
            << QList<Answer> {Answer::Yes, Answer::No} << QStringList {question, error} << 1;
    }
    void runSelectsTheEntryOfEachBox()
    {
        QFETCH(QList<Answer>, answers);
        QFETCH(QStringList, seen);
        QFETCH(int, selectedAfter);
        WindowBench bench;
        // "02 - b.mp3" cannot become "b.mp3": that name is taken.
        for (const QString &name : {u"01 - a.mp3"_s, u"02 - b.mp3"_s, u"b.mp3"_s, u"c_d.mp3"_s})
            bench.touch(u"A/Musik/"_s + name);
        bench.open(bench.path(u"A/Musik"_s));
        auto *list = bench.find<FileListBox>(u"File1"_s);
        QVERIFY(list->setListIndex(2));
        QStringList shown;
        bench.prompter.answers = answers;
        bench.prompter.onAsk = [&](const Message &message) {
            shown.append(message.title + u": "_s + QString::number(list->listIndex()) + u", "_s
                         + list->toolTip());
        };
        bench.find<QPushButton>(u"BeidesLöschen"_s)->click();
        QCOMPARE(shown, seen);
        QCOMPARE(list->listIndex(), selectedAfter);
    }

    void releaseWithoutPressDoesNothing()
    {
        WindowBench bench;
        bench.touch(u"A/Musik/01_a.mp3"_s);
        AuswahlFenster &window = bench.open(bench.path(u"A/Musik"_s));
        showActive(window);
        QWidget *button = bench.find<QWidget>(u"ZahlenLöschen"_s);
        button->setFocus();
        // The Enter that closed a message box arrives here without its press.
        QTest::keyRelease(button, Qt::Key_Return);
        // Auto-repeated key events are no key strokes either.
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(button, &press);
        QApplication::sendEvent(button, &release);
        QVERIFY(bench.prompter.shown.isEmpty());
        QCOMPARE(bench.find<FileListBox>(u"File1"_s)->listCount(), 1);
    }

    void timerKeepsThePosition()
    {
        WindowBench bench;
        for (const QString &name : {u"a.mp3"_s, u"b.mp3"_s, u"c.mp3"_s, u"d.mp3"_s})
            bench.touch(u"A/Musik/"_s + name);
        bench.open(bench.path(u"A/Musik"_s));
        auto *list = bench.find<FileListBox>(u"File1"_s);
        const QString summary = bench.find<QLabel>(u"FileInfo"_s)->text();
        QVERIFY(list->setListIndex(2));
        bench.find<QTimer>(u"Timer1"_s)->setInterval(5);

        bench.touch(u"A/Musik/0.mp3"_s);
        QTRY_COMPARE(list->listCount(), 5);
        QCOMPARE(list->listIndex(), 2);
        QCOMPARE(list->toolTip(), u"b.mp3"_s);

        // A list that became too short keeps no selection, and says nothing.
        for (const QString &name : {u"a.mp3"_s, u"b.mp3"_s, u"c.mp3"_s})
            QVERIFY(QFile::remove(bench.path(u"A/Musik/"_s + name)));
        QTRY_COMPARE(list->listCount(), 2);
        QCOMPARE(list->listIndex(), -1);
        QVERIFY(bench.prompter.shown.isEmpty());
        QCOMPARE(bench.find<QLabel>(u"FileInfo"_s)->text(), summary);
    }

    void timerRestsWhileACommandRuns()
    {
        WindowBench bench;
        for (const QString &name : {u"01_b.mp3"_s, u"02_c.mp3"_s})
            bench.touch(u"A/Musik/"_s + name);
        bench.open(bench.path(u"A/Musik"_s));
        auto *list = bench.find<FileListBox>(u"File1"_s);
        bench.find<QTimer>(u"Timer1"_s)->setInterval(1);
        // While the question is open, a file turns up that would sort first; the
        // timer must not re-read the list under the run.
        QList<int> countsWhileAsking;
        bench.prompter.onAsk = [&](const Message &) {
            bench.touch(u"A/Musik/00_a.mp3"_s);
            QTest::qWait(30);
            countsWhileAsking.append(list->listCount());
        };
        bench.find<QPushButton>(u"BeidesLöschen"_s)->click();
        // Two entries under the question; the summary follows the final re-read.
        QCOMPARE(countsWhileAsking, (QList<int> {2, 3}));
        QCOMPARE(QDir(bench.path(u"A/Musik"_s)).entryList(QDir::Files),
                 (QStringList {u"00_a.mp3"_s, u"b.mp3"_s, u"c.mp3"_s}));
    }

    void closingStoresTheFolder()
    {
        WindowBench bench;
        AuswahlFenster &window = bench.open(bench.path(u"A/Musik"_s));
        QVERIFY(bench.find<FolderTree>(u"Dir1"_s)->setPath(bench.path(u"B/Musik"_s)));
        QVERIFY(window.close());
        QCOMPARE(bench.settings.written, QStringList {bench.path(u"B/Musik"_s)});
    }
};

QTEST_MAIN(TestAuswahlFenster)
#include "tst_auswahlfenster.moc"

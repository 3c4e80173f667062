#include "windowbench.h"

#include "window/filelistbox.h"

#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace namlex;
using namespace namlex::test;

namespace {

QString song(int number)
{
    return u"%1 - Lied_%2.mp3"_s.arg(number, 6, 10, QChar(u'0')).arg(number);
}

QStringList filesIn(const WindowBench &bench, const QString &folder)
{
    return QDir(bench.path(folder)).entryList(QDir::Files, QDir::Name);
}

} // namespace

class TestLongRuns : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The dialog shows once a run has lasted its delay; "Abbrechen" stops
    // after the current file, and the summary reports the entries visited.
    void progressShowsAndStops_data()
    {
        QTest::addColumn<int>("delayMs");
        QTest::addColumn<int>("stopBefore");
        QTest::addColumn<int>("renamed");
        QTest::newRow("short run shows nothing") << 500 << 0 << 5;
        QTest::newRow("stop during the third file") << 0 << 3 << 3;
        QTest::newRow("stop during the last file") << 0 << 5 << 5;
    }

    void progressShowsAndStops()
    {
        QFETCH(int, delayMs);
        QFETCH(int, stopBefore);
        QFETCH(int, renamed);
        WindowBench bench;
        bench.progressDelay = std::chrono::milliseconds(delayMs);
        for (int i = 1; i <= 5; ++i)
            bench.touch(u"A/Musik/"_s + song(i));
        AuswahlFenster &window = bench.open(bench.path(u"A/Musik"_s));
        window.show();

        auto *list = bench.find<FileListBox>(u"File1"_s);
        QList<bool> dialogShown;
        bench.files.beforeRename = [&] {
            auto *dialog = window.findChild<QProgressDialog *>();
            dialogShown.append(dialog && dialog->isVisible());
            if (bench.files.renames != stopBefore || !dialog)
                return;
            QCOMPARE(dialog->labelText(), u"Dateien werden umbenannt …"_s);
            QVERIFY(dialog->windowTitle() != window.windowTitle());
            QCOMPARE(dialog->minimum(), 0);
            QCOMPARE(dialog->maximum(), 5);
            QCOMPARE(dialog->windowModality(), Qt::WindowModal);
            auto *cancel = dialog->findChild<QPushButton *>();
            QCOMPARE(cancel->text(), u"Abbrechen"_s);
            cancel->click();
        };
        bench.prompter.answers = {Answer::Yes};
        bench.find<QPushButton>(u"BeidesLöschen"_s)->click();

        // With no delay the dialog is there from the second file on.
        QCOMPARE(dialogShown.count(true), delayMs == 0 ? bench.files.renames - 1 : 0);
        QVERIFY(!window.findChild<QProgressDialog *>());
        QCOMPARE(bench.files.renames, renamed);
        QStringList expected;
        for (int i = 1; i <= 5; ++i)
            expected.append(i <= renamed ? u"Lied %1.mp3"_s.arg(i) : song(i));
        expected.sort();
        QCOMPARE(filesIn(bench, u"A/Musik"_s), expected);
        QCOMPARE(bench.prompter.shown.size(), 2);
        QVERIFY(bench.prompter.shown.last().text.contains(
            u"\r%1 Dateien ausgewählt,\rbei %1 Dateien die Nummerierung"_s.arg(renamed)));
        QCOMPARE(list->listCount(), 5);
    }

    // Only renaming time counts towards the delay: a short run whose error
    // box stayed open shows no progress dialog behind its next box.
    void timeInABoxIsNoRenamingTime()
    {
        WindowBench bench;
        bench.progressDelay = std::chrono::milliseconds(100);
        for (int i = 1; i <= 5; ++i)
            bench.touch(u"A/Musik/"_s + song(i));
        AuswahlFenster &window = bench.open(bench.path(u"A/Musik"_s));
        window.show();
        bench.files.failAt = 1;
        bool dialogShown = false;
        bench.files.beforeRename = [&] {
            auto *dialog = window.findChild<QProgressDialog *>();
            dialogShown = dialogShown || (dialog && dialog->isVisible());
        };
        bench.prompter.onAsk = [](const Message &message) {
            if (message.title == u"Fehler geortet!"_s)
                QTest::qWait(300);
        };
        bench.find<QPushButton>(u"BeidesLöschen"_s)->click();
        QCOMPARE(bench.files.renames, 5);
        QCOMPARE(bench.prompter.titles().mid(0, 2),
                 (QStringList {u"Bestätigung!"_s, u"Fehler geortet!"_s}));
        QVERIFY(!dialogShown);
    }

    // Counts and positions beyond 32767 work in the list, the commands and
    // the summaries.
    void listOfFortyThousandEntries()
    {
        constexpr int count = 40000;
        WindowBench bench;
        for (int i = 1; i <= count; ++i)
            QFile(bench.path(u"A/Musik/"_s + song(i))).open(QIODevice::WriteOnly);
        bench.open(bench.path(u"A/Musik"_s));
        auto *list = bench.find<FileListBox>(u"File1"_s);
        QCOMPARE(list->listCount(), count);
        QCOMPARE(bench.find<QLabel>(u"FileInfo"_s)->text(), u"40000 .mp3 bzw .wma"_s);
        QVERIFY(list->setListIndex(count - 1));
        QCOMPARE(list->fileName(), song(count));
        QCOMPARE(list->toolTip(), song(count));

        bench.prompter.answers = {Answer::Yes};
        bench.find<QPushButton>(u"BeidesLöschen"_s)->click();
        QCOMPARE(bench.files.renames, count);
        QCOMPARE(bench.prompter.boxes().last(),
                 (Message {
                     u"Dateioperationen abgeschlossen. Es wurden:\r40000 Dateien ausgewählt,\r"
                     u"bei 40000 Dateien die Nummerierung gelöscht,\rbei 40000 Dateien die "
                     u"Unterstriche durch Leerzeichen ersetzt und\r0 Dateien nicht "
                     u"umbenenannt, weil ihre Werte in akzeptablen Parametern liegen."_s,
                     u"Ergebnis des Wartens: 100.0% Umbenannt"_s, Buttons::Ok, MessageIcon::None}));
        QCOMPARE(list->listCount(), count);
        // The last entry visited stays selected across the re-read.
        QCOMPARE(list->listIndex(), count - 1);
        QCOMPARE(list->fileName(), u"Lied 40000.mp3"_s);
        QVERIFY(QFile::exists(bench.path(u"A/Musik/Lied 32768.mp3"_s)));
    }

    // A background listing that a re-read overtook never replaces the newer list.
    void overtakenBackgroundListingIsDropped()
    {
        WindowBench bench;
        bench.touch(u"A/Musik/a.mp3"_s);
        bench.touch(u"B/Musik/b.mp3"_s);
        FileListBox list;
        QSignalSpy listed(&list, &FileListBox::backgroundListed);
        list.setPath(bench.path(u"A/Musik"_s));
        list.startBackgroundListing();
        list.setPath(bench.path(u"B/Musik"_s));
        QTest::qWait(100);
        QCOMPARE(listed.count(), 0);
        QCOMPARE(list.fileName(), QString());
        QCOMPARE(list.listCount(), 1);

        // A folder whose entries are those shown has nothing to show.
        list.startBackgroundListing();
        QTRY_COMPARE(listed.count(), 1);
        QCOMPARE(listed.takeFirst().first().toBool(), false);

        bench.touch(u"B/Musik/c.mp3"_s);
        list.startBackgroundListing();
        QTRY_COMPARE(listed.count(), 1);
        QCOMPARE(listed.takeFirst().first().toBool(), true);
        list.showBackgroundListing();
        QCOMPARE(list.listCount(), 2);
    }
};

QTEST_MAIN(TestLongRuns)
#include "tst_longruns.moc"

#include "rawfiles.h"
#include "windowbench.h"

#include "platform/namecodec.h"
#include "window/filelistbox.h"

#include <QAccessible>
#include <QLabel>
#include <QScopeGuard>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace namlex;
using namespace namlex::test;

namespace {

QString accessibleName(QWidget *control)
{
    QAccessibleInterface *interface = QAccessible::queryAccessibleInterface(control);
    // On Linux a combo box is announced by its value; its own name stays on the widget.
    if (interface && interface->role() == QAccessible::ComboBox)
        return control->accessibleName();
    return interface ? interface->text(QAccessible::Name) : QString();
}

// The caption that labels a control for assistive technology.
QString labelOf(QWidget *control)
{
    const auto relations
        = QAccessible::queryAccessibleInterface(control)->relations(QAccessible::Label);
    return relations.isEmpty() ? QString() : relations.first().first->text(QAccessible::Name);
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyControlHasAName_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("label");
        const QList<std::pair<QString, QString>> rows {
            {u"ZahlenLöschen"_s, u"1. Zahlen löschen"_s},
            {u"USLöschen"_s, u"2. Unterstriche entfernen"_s},
            {u"BeidesLöschen"_s, u"+ Beides tun +"_s},
            {u"AppPath"_s, u"Zum Programmordner springen"_s},
            {u"Option1"_s, u"Nur mp3 und wma"_s},
            {u"Option2"_s, u"Alle Dateien"_s},
            {u"NurMitNull"_s, u"Nur Dateien mit einer Null am Anfang bearbeiten"_s},
            {u"Frame1"_s, u"Filterauswahl:"_s},
            {u"Label1"_s, u"Gewählte Dateien:"_s},
            {u"Label3"_s, u"Ordnerwahl:"_s},
            {u"Hilfe"_s, u"> Hilfe <"_s},
            {u"Dir1"_s, u"Ordnerliste"_s},
            {u"File1"_s, u"Dateiliste"_s},
            {u"Drive1"_s, u"Laufwerksauswahl"_s},
            {u"FileInfo"_s, u"2 .mp3 bzw .wma"_s},
        };
        const QMap<QString, QString> labels {{u"Drive1"_s, u"Laufwerk:"_s}};
        for (const auto &[control, name] : rows)
            QTest::newRow(qPrintable(control)) << control << name << labels.value(control);
    }

    void everyControlHasAName()
    {
        QFETCH(QString, control);
        QFETCH(QString, name);
        QFETCH(QString, label);
        WindowBench bench;
        bench.touch(u"A/Musik/a.mp3"_s);
        bench.touch(u"A/Musik/b.mp3"_s);
        bench.open(bench.path(u"A/Musik"_s)).show();
        QCOMPARE(accessibleName(bench.find<QWidget>(control)), name);
        if (!label.isEmpty())
            QCOMPARE(labelOf(bench.find<QWidget>(control)), label);
    }

    // Assistive technology reads the file names from the list itself, as
    // the list shows them.
    void fileListItemsCanBeRead_data()
    {
        QTest::addColumn<QList<QByteArray>>("files");
        QTest::addColumn<QStringList>("read");
        QTest::newRow("natural order")
            << QList<QByteArray> {"10 - Zehn.mp3", "02 - Zwei.mp3", "\xc3\x84rger.wma"}
            << QStringList {u"02 - Zwei.mp3"_s, u"10 - Zehn.mp3"_s, u"Ärger.wma"_s};
        QTest::newRow("name that is not UTF-8 beside its UTF-8 twin")
            << QList<QByteArray> {"M\344dchen.mp3", "M\303\244dchen.mp3"}
            << QStringList {u"Mädchen.mp3"_s, u"M[ä]dchen.mp3"_s};
    }

    void fileListItemsCanBeRead()
    {
        QFETCH(QList<QByteArray>, files);
        QFETCH(QStringList, read);
        WindowBench bench;
        const QByteArray folder = QFile::encodeName(bench.path(u"A/Musik"_s));
        // QTemporaryDir cannot remove a name that is not UTF-8.
        const auto remove = qScopeGuard([&] { removeRawFiles(folder); });
        for (const QByteArray &name : files)
            writeRawFile(folder, name, name);
        bench.open(bench.path(u"A/Musik"_s)).show();
        auto *list = bench.find<FileListBox>(u"File1"_s);
        QAccessibleInterface *interface = QAccessible::queryAccessibleInterface(list);
        QVERIFY(interface);
        QCOMPARE(interface->role(), QAccessible::List);
        QStringList names;
        for (int i = 0; i < interface->childCount(); ++i)
            names.append(interface->child(i)->text(QAccessible::Name));
        QCOMPARE(names, read);
        // The commands still get the exact name.
        QVERIFY(list->setListIndex(1));
        QVERIFY(files.contains(platform::encodeName(list->fileName()).value_or(QByteArray())));
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"

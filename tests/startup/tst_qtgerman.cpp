#include "startup/qtgerman.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeySequence>
#include <QMessageBox>
#include <QTest>

using namespace Qt::StringLiterals;

class TestQtGerman : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Qt's own texts in a box, such as the button that shows its details,
    // are German too.
    void qtTextsAreGerman()
    {
        if (!namlex::installQtGerman(*QCoreApplication::instance()))
            QSKIP("Qt's German translation (qt6-translations-l10n) is not installed");
        QMessageBox box;
        box.setDetailedText(u"01 - a.mp3 → a.mp3"_s);
        QStringList captions;
        for (const QAbstractButton *button : box.buttons())
            captions.append(button->text());
        QVERIFY2(captions.contains(u"Details einblenden..."_s), qPrintable(captions.join(u", ")));
        // The keys in the file list's menu.
        QCOMPARE(QKeySequence(QKeySequence::Undo).toString(QKeySequence::NativeText), u"Strg+Z"_s);
        QCOMPARE(QKeySequence(QKeySequence::Delete).toString(QKeySequence::NativeText), u"Entf"_s);
    }
};

QTEST_MAIN(TestQtGerman)
#include "tst_qtgerman.moc"

#include "transforms/underscores.h"

#include <QTest>

using namespace Qt::StringLiterals;

// Stands for no result: the position overflowed.
const QString failed = u"<failed>"_s;

class UnderscoresTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void replaceUnderscores_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");

        const QString letters(32766, u'a');
        QTest::newRow("underscores between words")
            << u"Titel_mit_Unterstrichen.mp3"_s << u"Titel mit Unterstrichen.mp3"_s;
        QTest::newRow("run of underscores") << u"Titel__Zwei.mp3"_s << u"Titel  Zwei.mp3"_s;
        QTest::newRow("leading underscores vanish") << u"__Titel.mp3"_s << u"Titel.mp3"_s;
        QTest::newRow("underscore before extension") << u"Titel_.mp3"_s << u"Titel .mp3"_s;
        QTest::newRow("trailing underscore") << u"Titel_"_s << u"Titel "_s;
        QTest::newRow("leading blank only") << u" Titel.mp3"_s << u"Titel.mp3"_s;
        QTest::newRow("nothing to do") << u"Titel.mp3"_s << u"Titel.mp3"_s;
        QTest::newRow("underscores only") << u"___"_s << QString();
        QTest::newRow("empty name") << QString() << QString();
        QTest::newRow("leading tab stays") << u"\t_Titel"_s << u"\t Titel"_s;
        QTest::newRow("other characters untouched") << u"_-_. _x.mp3"_s << u"- .  x.mp3"_s;
        QTest::newRow("32766 characters, underscore last")
            << letters.left(32765) + u'_' << letters.left(32765) + u' ';
        QTest::newRow("32767 characters, underscore first") << u'_' + letters << letters;
        QTest::newRow("32767 characters, underscore last") << letters + u'_' << failed;
        QTest::newRow("32768 characters without underscore") << letters + u"aa"_s << failed;
    }

    void replaceUnderscores()
    {
        QFETCH(QString, name);
        QFETCH(QString, expected);

        QCOMPARE(namlex::replaceUnderscores(name).value_or(failed), expected);
    }
};

QTEST_MAIN(UnderscoresTest)
#include "tst_underscores.moc"

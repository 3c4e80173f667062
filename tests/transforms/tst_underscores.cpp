#include "testregistry.h"

#include "transforms/underscores.h"

#include <QTest>

using namespace Qt::StringLiterals;

class UnderscoresTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void replaceUnderscores_data();
    void replaceUnderscores();
    void failure_data();
    void failure();
};

void UnderscoresTest::replaceUnderscores_data()
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
}

void UnderscoresTest::replaceUnderscores()
{
    QFETCH(QString, name);
    QFETCH(QString, expected);

    const std::optional<QString> result = namlex::replaceUnderscores(name);
    QVERIFY(result);
    QCOMPARE(*result, expected);
}

void UnderscoresTest::failure_data()
{
    QTest::addColumn<QString>("name");

    QTest::newRow("32767 characters, underscore last") << QString(32766, u'a') + u'_';
    QTest::newRow("32768 characters without underscore") << QString(32768, u'a');
    QTest::newRow("32768 underscores") << QString(32768, u'_');
}

void UnderscoresTest::failure()
{
    QFETCH(QString, name);

    QCOMPARE(namlex::replaceUnderscores(name), std::nullopt);
}

NAMLEX_REGISTER_TEST(UnderscoresTest)

#include "tst_underscores.moc"

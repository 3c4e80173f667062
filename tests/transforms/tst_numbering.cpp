#include "transforms/numbering.h"

#include <QTest>

using namespace Qt::StringLiterals;

// Stands for no result: the computation failed and the caller reports it.
const QString failed = u"<failed>"_s;

class NumberingTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void removeNumbering_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected"); // without the leading-zero restriction

        const QString zeros(32766, u'0');
        QTest::newRow("zero, number, blank hyphen blank") << u"01 - Titel.mp3"_s << u"Titel.mp3"_s;
        QTest::newRow("number and point, blank read past") << u"1. Titel.mp3"_s << u"Titel.mp3"_s;
        QTest::newRow("number belongs to the title")
            << u"89er's - Kingston Town.mp3"_s << u"er's - Kingston Town.mp3"_s;
        QTest::newRow("two leading zeros") << u"007 - Titel.mp3"_s << u"Titel.mp3"_s;
        QTest::newRow("ten") << u"10 - Titel.mp3"_s << u"Titel.mp3"_s;
        QTest::newRow("underscore separator") << u"01_Titel.mp3"_s << u"Titel.mp3"_s;
        QTest::newRow("single zero") << u"0 Titel.mp3"_s << u"Titel.mp3"_s;
        QTest::newRow("no number") << u"Titel.mp3"_s << u"Titel.mp3"_s;
        QTest::newRow("leading underscore") << u"_Titel.mp3"_s << u"Titel.mp3"_s;
        QTest::newRow("empty name") << QString() << QString();
        QTest::newRow("only one separator, hyphen stays") << u"01 -Titel.mp3"_s << u"-Titel.mp3"_s;
        QTest::newRow("only one blank hyphen blank") << u"01 - - Titel.mp3"_s << u"- Titel.mp3"_s;
        QTest::newRow("leading hyphen") << u"-Titel.mp3"_s << u"Titel.mp3"_s;
        QTest::newRow("leading point") << u".Titel.mp3"_s << u"Titel.mp3"_s;
        QTest::newRow("leading blank hyphen blank") << u" - Titel.mp3"_s << u"Titel.mp3"_s;
        QTest::newRow("number and extension lose the dot") << u"01.mp3"_s << u"mp3"_s;
        QTest::newRow("leading blank only") << u" Titel.mp3"_s << u"Titel.mp3"_s;
        QTest::newRow("blanks inside the number") << u"01 02 Titel.mp3"_s << u"2 Titel.mp3"_s;
        QTest::newRow("negative value skips only the sign")
            << u"-5 Titel.mp3"_s << u"5 Titel.mp3"_s;
        QTest::newRow("zeros inside the number") << u"100 - Titel.mp3"_s << u"Titel.mp3"_s;
        QTest::newRow("zero run before zeros inside") << u"0100 - Titel.mp3"_s << u"Titel.mp3"_s;
        QTest::newRow("tab is not trimmed") << u"01\tTitel.mp3"_s << u"\tTitel.mp3"_s;
        QTest::newRow("fraction counted by its text") << u"0.5 Titel.mp3"_s << u"Titel.mp3"_s;
        QTest::newRow("tiny value reads as zero") << u"1E-400 Titel.mp3"_s << u"1E-400 Titel.mp3"_s;
        QTest::newRow("cut before the second half of a pair keeps the character")
            << u"0.5\U0001F4A9.mp3"_s << u"\U0001F4A9.mp3"_s;
        QTest::newRow("cut by an exponent's text keeps the character")
            << u"7E70\U0001F369"_s << u"\U0001F369"_s;
        QTest::newRow("zero run ends at the last position") << zeros + u'x' << u"x"_s;
        QTest::newRow("value too large") << u"1E999 Titel.mp3"_s << failed;
        QTest::newRow("value too large after a zero") << u"01E999 Titel.mp3"_s << failed;
        QTest::newRow("negative value too large") << u"-1E999 Titel.mp3"_s << failed;
        QTest::newRow("position passes the limit in the zero run") << zeros + u'0' << failed;
        QTest::newRow("position passes the limit by the value text") << zeros + u'5' << failed;
        QTest::newRow("position passes the limit by the separator") << zeros + u" - x"_s << failed;
        QTest::newRow("position passes the limit by a blank separator")
            << zeros + u" x"_s << failed;
    }

    void removeNumbering()
    {
        QFETCH(QString, name);
        QFETCH(QString, expected);

        QCOMPARE(namlex::removeNumbering(name, false).value_or(failed), expected);
        // Restricted, a name that does not begin with "0" comes back unchanged,
        // and any other one gives the same result.
        QCOMPARE(namlex::removeNumbering(name, true).value_or(failed),
                 name.startsWith(u'0') ? expected : name);
    }
};

QTEST_MAIN(NumberingTest)
#include "tst_numbering.moc"

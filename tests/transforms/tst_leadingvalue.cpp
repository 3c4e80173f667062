#include "transforms/leadingvalue.h"

#include <QLocale>
#include <QTest>

using namespace Qt::StringLiterals;

class LeadingValueTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void leadingValue_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("value"); // NaN: outside the range of a double
        QTest::addColumn<QString>("text"); // the value written in the C locale; empty: not checked

        const double outOfRange = qQNaN();
        QTest::newRow("blanks, tabs and line feeds inside")
            << u"1 2\t3\n4x"_s << 1234.0 << u"1234"_s;
        QTest::newRow("plus sign") << u"+7"_s << 7.0 << u"7"_s;
        QTest::newRow("minus sign") << u"-5 Titel"_s << -5.0 << QString();
        QTest::newRow("fraction") << u"2.25.mp3"_s << 2.25 << u"2.25"_s;
        QTest::newRow("leading point") << u".5"_s << 0.5 << u"0.5"_s;
        QTest::newRow("comma ends the number") << u"1,5"_s << 1.0 << u"1"_s;
        QTest::newRow("E exponent with sign") << u"25E-1"_s << 2.5 << u"2.5"_s;
        QTest::newRow("lower-case D exponent, no grouping") << u"2d3"_s << 2000.0 << u"2000"_s;
        QTest::newRow("exponent letter without digits") << u"1Eagle"_s << 1.0 << u"1"_s;
        QTest::newRow("exponent sign without digits") << u"1E-x"_s << 1.0 << u"1"_s;
        QTest::newRow("hexadecimal") << u"&H1F"_s << 31.0 << u"31"_s;
        QTest::newRow("hexadecimal above 16 bits") << u"&hFFFFF"_s << 1048575.0 << u"1048575"_s;
        QTest::newRow("hexadecimal without digits") << u"&H"_s << 0.0 << QString();
        QTest::newRow("octal") << u"& O 17 9"_s << 15.0 << u"15"_s;
        QTest::newRow("sign without digits") << u"-Titel"_s << 0.0 << QString();
        QTest::newRow("no number") << u"Titel"_s << 0.0 << QString();
        QTest::newRow("largest plain whole number")
            << u"999999999999999"_s << 999999999999999.0 << u"999999999999999"_s;
        QTest::newRow("exponent form from 10^15") << u"1E15"_s << 1e15 << u"1e+15"_s;
        QTest::newRow("fifteen significant digits")
            << u"0.3333333333333333333"_s << 1.0 / 3 << u"0.333333333333333"_s;
        QTest::newRow("largest exponent in range") << u"1.7E308"_s << 1.7e308 << QString();
        QTest::newRow("too small reads as zero") << u"1E-400"_s << 0.0 << QString();
        QTest::newRow("exponent too large") << u"1E999"_s << outOfRange << QString();
        QTest::newRow("too many digits") << u'1' + QString(400, u'0') << outOfRange << QString();
        QTest::newRow("hexadecimal too large")
            << u"&H"_s + QString(300, u'F') << outOfRange << QString();
        QTest::newRow("octal too large") << u"&O"_s + QString(400, u'7') << outOfRange << QString();
    }

    void leadingValue()
    {
        QFETCH(QString, name);
        QFETCH(double, value);
        QFETCH(QString, text);

        // A name reads the same under every locale; only the written value takes
        // the locale's decimal separator.
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(namlex::leadingValue(name).value_or(qQNaN()), value);
        if (!text.isEmpty()) {
            QCOMPARE(namlex::valueText(value), QString(text).replace(u'.', u','));
            QLocale::setDefault(QLocale::c());
            QCOMPARE(namlex::valueText(value), text);
        }
    }
};

QTEST_MAIN(LeadingValueTest)
#include "tst_leadingvalue.moc"

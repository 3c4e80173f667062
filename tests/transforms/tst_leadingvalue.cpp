#include "testregistry.h"

#include "transforms/leadingvalue.h"

#include <QLocale>
#include <QTest>

using namespace Qt::StringLiterals;

class LeadingValueTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { QLocale::setDefault(QLocale::c()); }
    void leadingValue_data();
    void leadingValue();
    void valueText_data();
    void valueText();
};

void LeadingValueTest::leadingValue_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("inRange");
    QTest::addColumn<double>("value");

    QTest::newRow("blanks, tabs and line feeds inside") << u"1 2\t3\n4x"_s << true << 1234.0;
    QTest::newRow("plus sign") << u"+7"_s << true << 7.0;
    QTest::newRow("minus sign") << u"-5 Titel"_s << true << -5.0;
    QTest::newRow("fraction") << u"2.25.mp3"_s << true << 2.25;
    QTest::newRow("leading point") << u".5"_s << true << 0.5;
    QTest::newRow("comma ends the number") << u"1,5"_s << true << 1.0;
    QTest::newRow("E exponent with sign") << u"25E-1"_s << true << 2.5;
    QTest::newRow("lower-case D exponent") << u"2d3"_s << true << 2000.0;
    QTest::newRow("exponent letter without digits") << u"1Eagle"_s << true << 1.0;
    QTest::newRow("exponent sign without digits") << u"1E-x"_s << true << 1.0;
    QTest::newRow("hexadecimal") << u"&H1F"_s << true << 31.0;
    QTest::newRow("hexadecimal above 16 bits") << u"&hFFFFF"_s << true << 1048575.0;
    QTest::newRow("hexadecimal without digits") << u"&H"_s << true << 0.0;
    QTest::newRow("octal") << u"& O 17 9"_s << true << 15.0;
    QTest::newRow("sign without digits") << u"-Titel"_s << true << 0.0;
    QTest::newRow("no number") << u"Titel"_s << true << 0.0;
    QTest::newRow("largest exponent in range") << u"1.7E308"_s << true << 1.7e308;
    QTest::newRow("too small reads as zero") << u"1E-400"_s << true << 0.0;
    QTest::newRow("exponent too large") << u"1E999"_s << false << 0.0;
    QTest::newRow("too many digits") << u'1' + QString(400, u'0') << false << 0.0;
    QTest::newRow("hexadecimal too large") << u"&H"_s + QString(300, u'F') << false << 0.0;
    QTest::newRow("octal too large") << u"&O"_s + QString(400, u'7') << false << 0.0;
}

void LeadingValueTest::leadingValue()
{
    QFETCH(QString, name);
    QFETCH(bool, inRange);
    QFETCH(double, value);

    const std::optional<double> result = namlex::leadingValue(name);
    QCOMPARE(result.has_value(), inRange);
    if (inRange)
        QCOMPARE(*result, value);
}

void LeadingValueTest::valueText_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("expected");

    QTest::newRow("one") << u"1"_s << u"de_DE"_s << u"1"_s;
    QTest::newRow("whole number, no grouping") << u"2000"_s << u"de_DE"_s << u"2000"_s;
    QTest::newRow("largest plain whole number")
        << u"999999999999999"_s << u"C"_s << u"999999999999999"_s;
    QTest::newRow("exponent form from 10^15") << u"1E15"_s << u"C"_s << u"1e+15"_s;
    QTest::newRow("fraction, comma locale") << u"1.5"_s << u"de_DE"_s << u"1,5"_s;
    QTest::newRow("leading point, point locale") << u".5"_s << u"C"_s << u"0.5"_s;
    QTest::newRow("leading point, comma locale") << u".5"_s << u"de_DE"_s << u"0,5"_s;
    QTest::newRow("fifteen significant digits")
        << u"0.3333333333333333333"_s << u"C"_s << u"0.333333333333333"_s;
}

void LeadingValueTest::valueText()
{
    QFETCH(QString, name);
    QFETCH(QString, locale);
    QFETCH(QString, expected);

    QLocale::setDefault(QLocale(locale));
    const std::optional<double> value = namlex::leadingValue(name);
    QVERIFY(value);
    QCOMPARE(namlex::valueText(*value), expected);
}

NAMLEX_REGISTER_TEST(LeadingValueTest)

#include "tst_leadingvalue.moc"

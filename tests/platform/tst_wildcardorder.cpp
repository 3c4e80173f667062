#include "platform/naturalorder.h"
#include "platform/wildcard.h"


#include <QTest>

using namespace namlex::platform;
using namespace Qt::StringLiterals;

class TestWildcardOrder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void splitPatterns_data()
    {
        QTest::addColumn<QString>("patternList");
        QTest::addColumn<QStringList>("patterns");
        QTest::newRow("two-patterns") << u"*.mp3;*.wma"_s << QStringList {u"*.mp3"_s, u"*.wma"_s};
        QTest::newRow("blanks-around")
            << u" *.mp3 ; *.wma "_s << QStringList {u"*.mp3"_s, u"*.wma"_s};
        QTest::newRow("all-files") << u"*.*"_s << QStringList {u"*.*"_s};
        QTest::newRow("empty-parts") << u";*.mp3;;"_s << QStringList {u"*.mp3"_s};
        QTest::newRow("empty") << QString() << QStringList();
    }

    void splitPatterns()
    {
        QFETCH(QString, patternList);
        QFETCH(QStringList, patterns);
        QCOMPARE(namlex::platform::splitPatterns(patternList), patterns);
    }

    void matchesWildcard_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<bool>("matches");
        const QString escapedUmlaut = u"Lied "_s + QChar(0xDCE4) + u".mp3"_s;
        QTest::newRow("upper-case-name") << u"SONG.MP3"_s << u"*.mp3"_s << true;
        QTest::newRow("upper-case-pattern") << u"song.mp3"_s << u"*.MP3"_s << true;
        QTest::newRow("non-ascii-case") << u"Ärger.mp3"_s << u"ä*"_s << true;
        QTest::newRow("other-extension") << u"song.wma"_s << u"*.mp3"_s << false;
        QTest::newRow("longer-extension") << u"song.mp3x"_s << u"*.mp3"_s << false;
        QTest::newRow("star-dot-star-without-dot") << u"README"_s << u"*.*"_s << true;
        QTest::newRow("star-dot-without-dot") << u"README"_s << u"*."_s << false;
        QTest::newRow("hidden-name") << u".x.mp3"_s << u"*.mp3"_s << true;
        QTest::newRow("question-one-char") << u"a.mp3"_s << u"?.mp3"_s << true;
        QTest::newRow("question-two-chars") << u"ab.mp3"_s << u"?.mp3"_s << false;
        QTest::newRow("question-on-empty") << QString() << u"?"_s << false;
        QTest::newRow("star-on-empty") << QString() << u"*"_s << true;
        QTest::newRow("star-backtracks") << u"aXbYbZc"_s << u"a*b*c"_s << true;
        QTest::newRow("star-needs-tail") << u"abca"_s << u"a*b"_s << false;
        QTest::newRow("trailing-stars") << u"x.mp3"_s << u"*.mp3**"_s << true;
        QTest::newRow("escaped-byte-name") << escapedUmlaut << u"*.mp3"_s << true;
        QTest::newRow("question-on-escaped-byte") << escapedUmlaut << u"Lied ?.MP3"_s << true;
    }

    void matchesWildcard()
    {
        QFETCH(QString, name);
        QFETCH(QString, pattern);
        QFETCH(bool, matches);
        QCOMPARE(namlex::platform::matchesWildcard(name, pattern), matches);
    }

    void naturalLess_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("number-by-value") << u"2 - x"_s << u"10 - x"_s;
        QTest::newRow("case-ignored") << u"a.mp3"_s << u"B.mp3"_s;
        QTest::newRow("case-only-upper-first") << u"A.mp3"_s << u"a.mp3"_s;
        QTest::newRow("non-ascii-case-only") << u"Ä"_s << u"ä"_s;
        QTest::newRow("fewer-zeros-first") << u"1"_s << u"01"_s;
        QTest::newRow("zeros-before-value") << u"a1b"_s << u"a01a"_s;
        QTest::newRow("zero-padded-by-value") << u"01"_s << u"2"_s;
        QTest::newRow("number-after-text") << u"x9"_s << u"x10"_s;
        QTest::newRow("longer-than-64-bits")
            << u"99999999999999999999"_s << u"100000000000000000000"_s;
        QTest::newRow("prefix-first") << u"track"_s << u"track1"_s;
        QTest::newRow("digit-before-underscore") << u"1x"_s << u"_x"_s;
        QTest::newRow("escaped-byte-after-letters") << u"Lied z"_s << u"Lied "_s + QChar(0xDCE4);
    }

    void naturalLess()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QVERIFY(namlex::platform::naturalLess(first, second));
        QVERIFY(!namlex::platform::naturalLess(second, first));
        QVERIFY(!namlex::platform::naturalLess(first, first));
    }
};

QTEST_MAIN(TestWildcardOrder)
#include "tst_wildcardorder.moc"

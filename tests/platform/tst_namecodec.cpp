#include "platform/namecodec.h"

#include <QTest>

#include <vector>

using namespace namlex::platform;
using namespace Qt::StringLiterals;

namespace {

struct DecodeRow
{
    const char *tag;
    const char *hex;
    std::vector<char16_t> units;
};

struct EncodeRow
{
    const char *tag;
    std::vector<char16_t> units;
    const char *hex; // nullptr: Python refuses to encode the text
};

#include "codec_table.inc"

// Stands for no bytes: the text cannot be encoded.
const QByteArray refused = "<refused>";

} // namespace

class TestNameCodec : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Decoded names must also encode back to their bytes.
    void matchesPython_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("decoded"); // the text is Python's decoding of the bytes
        for (const DecodeRow &row : decodeRows) {
            QTest::addRow("decode-%s", row.tag)
                << QStringView(row.units).toString() << QByteArray::fromHex(row.hex) << true;
        }
        for (const EncodeRow &row : encodeRows) {
            QTest::addRow("encode-%s", row.tag)
                << QStringView(row.units).toString()
                << (row.hex ? QByteArray::fromHex(row.hex) : refused) << false;
        }
    }

    void matchesPython()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, decoded);
        if (decoded)
            QCOMPARE(decodeName(bytes), text);
        QCOMPARE(encodeName(text).value_or(refused), bytes);
        QCOMPARE(encodedSize(text), bytes == refused ? std::nullopt : std::optional(bytes.size()));
    }

    void displayName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("shown");
        QTest::newRow("plain") << u"Titel.mp3"_s << u"Titel.mp3"_s;
        QTest::newRow("byte that is not UTF-8 beside its UTF-8 twin")
            << decodeName("M\344dchen \303\244.mp3") << u"M[ä]dchen ä.mp3"_s;
        QTest::newRow("run of bytes that are not UTF-8")
            << decodeName("Gr\xfc\xdf \x80\x96 \xe4.mp3") << u"Gr[üß] [€–] [ä].mp3"_s;
        QTest::newRow("valid name that reads like a byte that is not UTF-8")
            << u"M[ä]dchen [Live].mp3"_s << u"M[[ä]dchen [Live].mp3"_s;
        QTest::newRow("valid name that reads like escapes")
            << u"[U+000A][BOM][[x.mp3"_s << u"[[U+000A][[BOM][[[x.mp3"_s;
        QTest::newRow("bracket before a byte that is not UTF-8")
            << decodeName("[\xe4].mp3") << u"[[[ä]].mp3"_s;
        QTest::newRow("bytes Windows-1252 leaves undefined")
            << decodeName("\x81\x8d\x8f\x90\x9d.mp3") << u"[\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD].mp3"_s;
        QTest::newRow("lone surrogate that stands for no byte")
            << (u"x"_s + QChar(0xDC41) + QChar(0xD800)) << u"x\uFFFD\uFFFD"_s;
        QTest::newRow("character outside the BMP") << u"\U0001F480.mp3"_s << u"\U0001F480.mp3"_s;
        QTest::newRow("leading byte order mark") << u"\uFEFFx.mp3"_s << u"[BOM]x.mp3"_s;
        QTest::newRow("byte order mark inside") << u"x\uFEFF.mp3"_s << u"x[BOM].mp3"_s;
        QTest::newRow("line feed") << u"a\nb.mp3"_s << u"a[U+000A]b.mp3"_s;
        QTest::newRow("right-to-left override")
            << u"Lied\u202Egnp.mp3"_s << u"Lied[U+202E]gnp.mp3"_s;
    }

    void displayName()
    {
        QFETCH(QString, name);
        QFETCH(QString, shown);
        QCOMPARE(namlex::platform::displayName(name), shown);
    }
};

QTEST_MAIN(TestNameCodec)
#include "tst_namecodec.moc"

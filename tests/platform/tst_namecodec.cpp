#include "platform/namecodec.h"

#include "testregistry.h"

#include <QTest>

#include <vector>

using namespace namlex::platform;

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

QString fromUnits(const std::vector<char16_t> &units)
{
    return QStringView(units.data(), static_cast<qsizetype>(units.size())).toString();
}

} // namespace

class TestNameCodec : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decodeMatchesPython_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        for (const DecodeRow &row : decodeRows)
            QTest::newRow(row.tag) << QByteArray::fromHex(row.hex) << fromUnits(row.units);
    }

    void decodeMatchesPython()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(decodeName(bytes), text);
        const std::optional<QByteArray> encoded = encodeName(text);
        QVERIFY(encoded.has_value());
        QCOMPARE(*encoded, bytes);
    }

    void encodeMatchesPython_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("encodable");
        QTest::addColumn<QByteArray>("bytes");
        for (const EncodeRow &row : encodeRows) {
            QTest::newRow(row.tag) << fromUnits(row.units) << (row.hex != nullptr)
                                   << QByteArray::fromHex(row.hex ? row.hex : "");
        }
    }

    void encodeMatchesPython()
    {
        QFETCH(QString, text);
        QFETCH(bool, encodable);
        QFETCH(QByteArray, bytes);
        const std::optional<QByteArray> encoded = encodeName(text);
        QCOMPARE(encoded.has_value(), encodable);
        if (encodable)
            QCOMPARE(*encoded, bytes);
    }
};

NAMLEX_REGISTER_TEST(TestNameCodec)

#include "tst_namecodec.moc"

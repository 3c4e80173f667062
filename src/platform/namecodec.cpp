#include "platform/namecodec.h"

#include <algorithm>

namespace namlex::platform {

namespace {

constexpr char16_t escapeBase = 0xDC00; // an invalid byte b becomes U+DC00 + b (b >= 0x80)

// Whether a UTF-16 unit is the escape of a byte, rather than half of a
// character.
bool isEscapedByte(char16_t unit)
{
    return unit >= escapeBase + 0x80 && unit <= escapeBase + 0xFF;
}

bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// Length and code point of the valid UTF-8 sequence that starts at pos, or
// length 0 when the bytes there are not one. The second byte's range rules out
// overlong forms, encoded surrogates and code points above U+10FFFF.
struct Sequence
{
    int length = 0;
    char32_t codePoint = 0;
};

Sequence validSequence(const QByteArray &bytes, qsizetype pos)
{
    const auto byteAt = [&](qsizetype i) { return static_cast<unsigned char>(bytes[pos + i]); };
    const unsigned char lead = byteAt(0);
    int length = 0;
    unsigned char secondMin = 0x80;
    unsigned char secondMax = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            secondMin = 0xA0;
        else if (lead == 0xED)
            secondMax = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            secondMin = 0x90;
        else if (lead == 0xF4)
            secondMax = 0x8F;
    } else {
        return {};
    }
    if (pos + length > bytes.size())
        return {};
    if (byteAt(1) < secondMin || byteAt(1) > secondMax)
        return {};
    char32_t codePoint = lead & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        if (!isContinuation(byteAt(i)))
            return {};
        codePoint = (codePoint << 6) | (byteAt(i) & 0x3F);
    }
    return {length, codePoint};
}

void appendUtf8(QByteArray &out, char32_t codePoint)
{
    if (codePoint < 0x80) {
        out.append(static_cast<char>(codePoint));
    } else if (codePoint < 0x800) {
        out.append(static_cast<char>(0xC0 | (codePoint >> 6)));
        out.append(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else if (codePoint < 0x10000) {
        out.append(static_cast<char>(0xE0 | (codePoint >> 12)));
        out.append(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        out.append(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else {
        out.append(static_cast<char>(0xF0 | (codePoint >> 18)));
        out.append(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
        out.append(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        out.append(static_cast<char>(0x80 | (codePoint & 0x3F)));
    }
}

} // namespace

QString decodeName(const QByteArray &bytes)
{
    // Nearly every name is valid UTF-8; Qt's own decoder is much faster. It
    // drops a leading byte order mark, though, which is part of the name.
    if (bytes.isValidUtf8() && !bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes);
    QString name;
    name.reserve(bytes.size());
    qsizetype pos = 0;
    while (pos < bytes.size()) {
        const auto byte = static_cast<unsigned char>(bytes[pos]);
        if (byte < 0x80) {
            name.append(QChar(char16_t(byte)));
            ++pos;
            continue;
        }
        const Sequence sequence = validSequence(bytes, pos);
        if (sequence.length == 0) {
            // Escaping one byte at a time gives the same text as escaping the
            // whole broken sequence: its other bytes are continuation bytes,
            // which cannot start a valid sequence either.
            name.append(QChar(static_cast<char16_t>(escapeBase + byte)));
            ++pos;
            continue;
        }
        if (sequence.codePoint > 0xFFFF) {
            name.append(QChar(QChar::highSurrogate(sequence.codePoint)));
            name.append(QChar(QChar::lowSurrogate(sequence.codePoint)));
        } else {
            name.append(QChar(static_cast<char16_t>(sequence.codePoint)));
        }
        pos += sequence.length;
    }
    return name;
}

std::optional<QByteArray> encodeName(const QString &name)
{
    // Without surrogates there is nothing to unescape, and Qt's own encoder
    // gives the same bytes much faster.
    if (std::none_of(name.begin(), name.end(), [](QChar c) { return c.isSurrogate(); }))
        return name.toUtf8();
    QByteArray bytes;
    bytes.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t unit = name[i].unicode();
        if (QChar::isHighSurrogate(unit) && i + 1 < name.size()
            && QChar::isLowSurrogate(name[i + 1].unicode())) {
            // A proper pair: its low half may lie in the escape range, but it
            // is part of a character and must not be read as a byte.
            appendUtf8(bytes, QChar::surrogateToUcs4(unit, name[i + 1].unicode()));
            ++i;
        } else if (isEscapedByte(unit)) {
            bytes.append(static_cast<char>(unit - escapeBase));
        } else if (QChar::isSurrogate(unit)) {
            return std::nullopt;
        } else {
            appendUtf8(bytes, unit);
        }
    }
    return bytes;
}

namespace {

// Characters that would not show as themselves: control characters, which
// may break a line or be drawn as nothing, and the marks that reorder the
// text around them, with which "Lied\u202Egnp.mp3" passes for "Liedpng.mp3".
bool isHiddenControl(char16_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || (c >= 0x202A && c <= 0x202E)
           || (c >= 0x2066 && c <= 0x2069) || c == 0x200E || c == 0x200F || c == 0x061C;
}

// Bytes 0x80 to 0x9F as Windows-1252 has them; from 0xA0 on it agrees
// with Latin-1. The five bytes it leaves undefined show as U+FFFD.
constexpr char16_t windows1252[32]
    = {0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
       0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
       0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

QChar windows1252Char(char16_t escaped)
{
    const char16_t byte = escaped - escapeBase;
    return QChar(byte < 0xA0 ? windows1252[byte - 0x80] : byte);
}

// The characters windows1252Char() can give.
bool isWindows1252Shown(QChar c)
{
    return (c.unicode() >= 0xA0 && c.unicode() <= 0xFF) || c == QChar::ReplacementCharacter
           || std::find(std::begin(windows1252), std::end(windows1252), c.unicode())
                  != std::end(windows1252);
}

// How many characters of `rest` close the "[" of a mark before it: "BOM]",
// "U+hhhh]" or Windows-1252 characters and "]"; 0 when they do not.
qsizetype markRest(QStringView rest)
{
    if (rest.startsWith(u"BOM]"))
        return 4;
    const auto upperHex = [](QChar c) { return c.isDigit() || (c >= u'A' && c <= u'F'); };
    if (rest.size() >= 7 && rest.startsWith(u"U+") && rest[6] == u']'
        && std::all_of(rest.begin() + 2, rest.begin() + 6, upperHex))
        return 7;
    qsizetype i = 0;
    while (i < rest.size() && isWindows1252Shown(rest[i]))
        ++i;
    return i > 0 && i < rest.size() && rest[i] == u']' ? i + 1 : 0;
}

// Whether `shown` holds, from `at` on, what follows the "[" of a mark:
// another "[", or the rest of a mark.
bool continuesLikeAMark(const QString &shown, qsizetype at)
{
    const QStringView rest = QStringView(shown).mid(at);
    return rest.startsWith(u'[') || markRest(rest) > 0;
}

} // namespace

std::optional<qsizetype> encodedSize(QStringView name)
{
    qsizetype size = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t unit = name[i].unicode();
        if (QChar::isHighSurrogate(unit) && i + 1 < name.size()
            && QChar::isLowSurrogate(name[i + 1].unicode())) {
            size += 4;
            ++i;
        } else if (isEscapedByte(unit)) {
            size += 1;
        } else if (QChar::isSurrogate(unit)) {
            return std::nullopt;
        } else {
            size += unit < 0x80 ? 1 : unit < 0x800 ? 2 : 3;
        }
    }
    return size;
}

QString displayName(const QString &name)
{
    QString shown;
    shown.reserve(name.size());
    QList<qsizetype> brackets;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name[i];
        if (c == u'[') {
            brackets.append(shown.size());
            shown.append(c);
        } else if (c.isHighSurrogate() && i + 1 < name.size() && name[i + 1].isLowSurrogate()) {
            shown.append(c).append(name[++i]);
        } else if (isEscapedByte(c.unicode())) {
            // Names that are not UTF-8 nearly always come from Windows in
            // its Western code page, so their bytes read best that way. The
            // brackets set them apart: "M\xE4dchen.mp3" shows as
            // "M[ä]dchen.mp3", never as its UTF-8 twin "Mädchen.mp3". A run
            // of such bytes shares one pair of brackets.
            shown.append(u'[').append(windows1252Char(c.unicode()));
            while (i + 1 < name.size() && isEscapedByte(name[i + 1].unicode()))
                shown.append(windows1252Char(name[++i].unicode()));
            shown.append(u']');
        } else if (c.isSurrogate()) {
            shown.append(QChar::ReplacementCharacter);
        } else if (c == QChar::ByteOrderMark) {
            shown.append(u"[BOM]");
        } else if (isHiddenControl(c.unicode())) {
            shown.append(QStringLiteral("[U+%1]").arg(c.unicode(), 4, 16, QChar(u'0')).toUpper());
        } else {
            shown.append(c);
        }
    }
    // A "[" of the name itself that would read as the start of a mark is
    // doubled, so that "M[ä]dchen.mp3", a valid name, shows as
    // "M[[ä]dchen.mp3" and not as "M\xE4dchen.mp3" does.
    for (auto at = brackets.crbegin(); at != brackets.crend(); ++at) {
        if (continuesLikeAMark(shown, *at + 1))
            shown.insert(*at, u'[');
    }
    return shown;
}

qsizetype shownUnitLength(QStringView shown, qsizetype at)
{
    const QChar c = shown[at];
    if (c == u'[') {
        const QStringView rest = shown.mid(at + 1);
        return rest.startsWith(u'[') ? 2 : 1 + markRest(rest);
    }
    return c.isHighSurrogate() && at + 1 < shown.size() && shown[at + 1].isLowSurrogate() ? 2 : 1;
}

bool isMarkAt(QStringView shown, qsizetype at)
{
    return shown[at] == u'[' && shownUnitLength(shown, at) > 2;
}

} // namespace namlex::platform

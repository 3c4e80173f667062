#include "commands/journalformat.h"

#include "platform/namecodec.h"

#include <QMap>

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <iterator>
#include <utility>

namespace namlex::journalformat {

namespace {

const QByteArray version = "NAMLEX-UNDO 1";

// CRC-32 (as zlib's), eight bytes a step: the plan of a large run is
// checksummed line by line before its first rename.
quint32 crc32(const char *data, qsizetype size)
{
    using Tables = std::array<std::array<quint32, 256>, 8>;
    static const Tables tables = [] {
        Tables t {};
        for (quint32 i = 0; i < 256; ++i) {
            quint32 value = i;
            for (int bit = 0; bit < 8; ++bit)
                value = (value & 1) ? 0xEDB88320u ^ (value >> 1) : value >> 1;
            t[0][i] = value;
        }
        for (quint32 i = 0; i < 256; ++i) {
            for (size_t k = 1; k < t.size(); ++k)
                t[k][i] = (t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xFF];
        }
        return t;
    }();
    const auto *bytes = reinterpret_cast<const quint8 *>(data);
    quint32 crc = 0xFFFFFFFFu;
    for (; size >= 8; size -= 8, bytes += 8) {
        const quint32 low = crc
                            ^ (quint32(bytes[0]) | quint32(bytes[1]) << 8 | quint32(bytes[2]) << 16
                               | quint32(bytes[3]) << 24);
        crc = tables[7][low & 0xFF] ^ tables[6][(low >> 8) & 0xFF] ^ tables[5][(low >> 16) & 0xFF]
              ^ tables[4][low >> 24] ^ tables[3][bytes[4]] ^ tables[2][bytes[5]]
              ^ tables[1][bytes[6]] ^ tables[0][bytes[7]];
    }
    for (; size > 0; --size, ++bytes)
        crc = tables[0][(crc ^ *bytes) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

const char hexDigits[] = "0123456789abcdef";

void appendChecksum(QByteArray &out, const char *data, qsizetype size)
{
    const quint32 crc = crc32(data, size);
    char digits[8];
    for (int i = 0; i < 8; ++i)
        digits[i] = hexDigits[(crc >> (28 - 4 * i)) & 0xF];
    out.append(digits, 8);
}

QByteArray checksum(const QByteArray &content)
{
    QByteArray out;
    appendChecksum(out, content.constData(), content.size());
    return out;
}

// A name written by hexName(); empty optional for anything else.
std::optional<QString> nameFrom(const QByteArray &hex)
{
    if (hex.size() % 2 != 0
        || !std::all_of(hex.begin(), hex.end(), [](char c) { return std::isxdigit(quint8(c)); }))
        return std::nullopt;
    return platform::decodeName(QByteArray::fromHex(hex));
}

std::optional<qint64> numberFrom(const QByteArray &text)
{
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    return ok ? std::optional(value) : std::nullopt;
}

std::optional<JournalEntry> entryFrom(const QList<QByteArray> &fields)
{
    if (fields.size() != 9)
        return std::nullopt;
    std::array<qint64, 6> numbers {};
    const std::array<qsizetype, 6> at {1, 4, 5, 6, 7, 8};
    for (size_t i = 0; i < at.size(); ++i) {
        const std::optional<qint64> number = numberFrom(fields.at(at[i]));
        if (!number)
            return std::nullopt;
        numbers[i] = *number;
    }
    const std::optional<QString> oldName = nameFrom(fields.at(2));
    const std::optional<QString> newName = nameFrom(fields.at(3));
    if (!oldName || !newName || numbers[5] < 0 || numbers[5] > int(platform::EntryKind::Other))
        return std::nullopt;
    return JournalEntry {
        int(numbers[0]),
        *oldName,
        *newName,
        {numbers[1], numbers[2], numbers[3], numbers[4], platform::EntryKind(numbers[5])}};
}

// The content of a whole line, or empty optional when its checksum fails.
std::optional<QByteArray> contentOf(const QByteArray &line)
{
    const qsizetype tab = line.lastIndexOf('\t');
    if (tab < 0 || line.mid(tab + 1) != checksum(line.left(tab)))
        return std::nullopt;
    return line.left(tab);
}

} // namespace

QByteArray header()
{
    return version;
}

LineWriter::LineWriter(qsizetype reserve)
{
    out_.reserve(reserve);
}

void LineWriter::separate()
{
    if (out_.size() > lineStart_)
        out_.append(' ');
}

LineWriter &LineWriter::tag(char tag)
{
    separate();
    out_.append(tag);
    return *this;
}

LineWriter &LineWriter::number(qint64 value)
{
    separate();
    char digits[24];
    const auto result = std::to_chars(std::begin(digits), std::end(digits), value);
    out_.append(digits, result.ptr - digits);
    return *this;
}

LineWriter &LineWriter::name(const QString &name)
{
    separate();
    const QByteArray bytes = platform::encodeName(name).value_or(QByteArray());
    const qsizetype at = out_.size();
    out_.resize(at + 2 * bytes.size());
    char *hex = out_.data() + at;
    for (const char byte : bytes) {
        *hex++ = hexDigits[quint8(byte) >> 4];
        *hex++ = hexDigits[quint8(byte) & 0xF];
    }
    return *this;
}

LineWriter &LineWriter::text(const QByteArray &text)
{
    separate();
    out_.append(text);
    return *this;
}

LineWriter &LineWriter::end()
{
    const qsizetype contentEnd = out_.size();
    out_.append('\t');
    appendChecksum(out_, out_.constData() + lineStart_, contentEnd - lineStart_);
    out_.append('\n');
    lineStart_ = out_.size();
    return *this;
}

LineWriter &LineWriter::entry(char tag, const JournalEntry &entry)
{
    const platform::FileIdentity &id = entry.identity;
    return this->tag(tag)
        .number(entry.index)
        .name(entry.oldName)
        .name(entry.newName)
        .number(id.device)
        .number(id.inode)
        .number(id.size)
        .number(id.modifiedNs)
        .number(int(id.kind))
        .end();
}

QByteArray LineWriter::take()
{
    lineStart_ = 0;
    return std::exchange(out_, QByteArray());
}

QByteArray line(const QByteArray &content)
{
    return LineWriter().text(content).end().take();
}

RecordedRun parse(const QByteArray &record)
{
    RecordedRun run;
    run.damaged = true;
    QList<QByteArray> lines = record.split('\n');
    // What follows the last line end is a line cut short by a crash.
    lines.removeLast();
    QMap<int, RecordedRun::Entry> entries;
    bool planComplete = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const std::optional<QByteArray> content = contentOf(lines.at(i));
        if (!content)
            return run;
        const QList<QByteArray> fields = content->split(' ');
        const QByteArray &tag = fields.first();
        if (i == 0) {
            if (*content != version)
                return run;
        } else if (i == 1) {
            const std::optional<qint64> started
                = fields.size() == 3 ? numberFrom(fields.at(1)) : std::nullopt;
            const std::optional<QString> folder
                = fields.size() == 3 ? nameFrom(fields.at(2)) : std::nullopt;
            if (tag != "R" || !started || !folder)
                return run;
            run.started = QDateTime::fromMSecsSinceEpoch(*started);
            run.folder = *folder;
        } else if (!planComplete) {
            if (tag == "B") {
                planComplete
                    = fields.size() == 2 && numberFrom(fields.at(1)) == qint64(entries.size());
                if (!planComplete)
                    return run;
            } else {
                const std::optional<JournalEntry> entry = entryFrom(fields);
                if (tag != "P" || !entry || entries.contains(entry->index))
                    return run;
                entries.insert(entry->index, {*entry, RecordedRun::Outcome::Unknown});
            }
        } else if (tag == "D" || tag == "F") {
            const std::optional<qint64> index
                = fields.size() == 2 ? numberFrom(fields.at(1)) : std::nullopt;
            // Only a planned rename can succeed as planned; an entry the plan
            // knew would fail may fail without a plan line.
            if (!index || (tag == "D" && !entries.contains(int(*index))))
                return run;
            if (entries.contains(int(*index)))
                entries[int(*index)].outcome
                    = tag == "D" ? RecordedRun::Outcome::Renamed : RecordedRun::Outcome::Failed;
        } else if (tag == "U") {
            const std::optional<JournalEntry> entry = entryFrom(fields);
            if (!entry)
                return run;
            // It replaces whatever was planned for that entry.
            entries.insert(entry->index, {*entry, RecordedRun::Outcome::Renamed});
        } else if (tag == "E" && fields.size() == 1) {
            run.finished = true;
        } else {
            return run;
        }
    }
    if (!planComplete)
        return run;
    run.entries = entries.values();
    run.damaged = false;
    return run;
}

} // namespace namlex::journalformat

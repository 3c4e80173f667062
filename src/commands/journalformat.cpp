#include "commands/journalformat.h"

#include "platform/namecodec.h"

#include <QMap>

#include <algorithm>
#include <array>
#include <cctype>

namespace namlex::journalformat {

namespace {

const QByteArray version = "NAMLEX-UNDO 1";

quint32 crc32(const QByteArray &data)
{
    static const std::array<quint32, 256> table = [] {
        std::array<quint32, 256> entries {};
        for (quint32 i = 0; i < 256; ++i) {
            quint32 value = i;
            for (int bit = 0; bit < 8; ++bit)
                value = (value & 1) ? 0xEDB88320u ^ (value >> 1) : value >> 1;
            entries[i] = value;
        }
        return entries;
    }();
    quint32 crc = 0xFFFFFFFFu;
    for (const char byte : data)
        crc = table[(crc ^ quint8(byte)) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

QByteArray checksum(const QByteArray &content)
{
    return QByteArray::number(crc32(content), 16).rightJustified(8, '0');
}

QByteArray hexName(const QString &name)
{
    return platform::encodeName(name).value_or(QByteArray()).toHex();
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

QByteArray runLine(qint64 startedMs, const QString &folder)
{
    return "R " + QByteArray::number(startedMs) + ' ' + hexName(folder);
}

QByteArray entryLine(char tag, const JournalEntry &entry)
{
    const platform::FileIdentity &id = entry.identity;
    return QByteArray(1, tag) + ' ' + QByteArray::number(entry.index) + ' ' + hexName(entry.oldName)
           + ' ' + hexName(entry.newName) + ' ' + QByteArray::number(id.device) + ' '
           + QByteArray::number(id.inode) + ' ' + QByteArray::number(id.size) + ' '
           + QByteArray::number(id.modifiedNs) + ' ' + QByteArray::number(int(id.kind));
}

QByteArray line(const QByteArray &content)
{
    return content + '\t' + checksum(content) + '\n';
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

#include "journal/journalformat.h"

#include "platform/namecodec.h"
#include "platform/paths.h"

#include <QMap>

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <iterator>
#include <limits>
#include <utility>

namespace namlex::journalformat {

namespace {

// The versions read, each at its place: the first identified files by
// device, inode, size and time of change, and recorded renames one line
// each; the second by device, inode and time of birth. Both are still read,
// so that runs recorded before stay undoable.
const std::array<QByteArray, 3> versions {"NAMLEX-UNDO 1", "NAMLEX-UNDO 2", "NAMLEX-UNDO 3"};

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

// A name or path written by LineWriter::name(); empty optional for anything
// that is not hexadecimal bytes.
std::optional<QString> textFrom(const QByteArray &hex)
{
    if (hex.size() % 2 != 0
        || !std::all_of(hex.begin(), hex.end(), [](char c) { return std::isxdigit(quint8(c)); }))
        return std::nullopt;
    return platform::decodeName(QByteArray::fromHex(hex));
}

// Only a plain name of a file, never "", "..", "a/b" or "x\0y": an undo
// must not reach outside its folder.
std::optional<QString> nameFrom(const QByteArray &hex)
{
    const std::optional<QString> name = textFrom(hex);
    return name && platform::isPlainFileName(*name) ? name : std::nullopt;
}

std::optional<qint64> numberFrom(const QByteArray &text)
{
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    return ok ? std::optional(value) : std::nullopt;
}

// "P <index> <old> <new> <device> <inode> <born> <kind> <size> <time>";
// the first version had "<size> <time> <kind>" after the inode, the second
// ended after the kind.
std::optional<JournalEntry> entryFrom(const QList<QByteArray> &fields, int version)
{
    enum Field { Index, Device, Inode, Born, Kind, Size, Time, Count };
    // Where each field is in the line; 0: the version has no such field.
    static const std::array<std::array<qsizetype, Count>, 3> places {{
        {1, 4, 5, 0, 8, 6, 7},
        {1, 4, 5, 6, 7, 0, 0},
        {1, 4, 5, 6, 7, 8, 9},
    }};
    static const std::array<qsizetype, 3> sizes {9, 8, 10};
    if (version < 1 || version > 3 || fields.size() != sizes[size_t(version - 1)])
        return std::nullopt;
    std::array<qint64, Count> numbers {};
    for (size_t field = 0; field < Count; ++field) {
        const qsizetype at = places[size_t(version - 1)][field];
        const std::optional<qint64> number = at > 0 ? numberFrom(fields.at(at)) : qint64(0);
        if (!number)
            return std::nullopt;
        numbers[field] = *number;
    }
    const std::optional<QString> oldName = nameFrom(fields.at(2));
    const std::optional<QString> newName = nameFrom(fields.at(3));
    if (!oldName || !newName || numbers[Index] < 0
        || numbers[Index] > std::numeric_limits<int>::max() || numbers[Kind] < 0
        || numbers[Kind] > int(platform::EntryKind::Other))
        return std::nullopt;
    return JournalEntry {int(numbers[Index]),
                         *oldName,
                         *newName,
                         {numbers[Device], numbers[Inode], numbers[Born],
                          platform::EntryKind(numbers[Kind]), numbers[Size], numbers[Time]}};
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
    return versions.back();
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

LineWriter &LineWriter::entry(const JournalEntry &entry)
{
    const platform::FileIdentity &id = entry.identity;
    return tag('P')
        .number(entry.index)
        .name(entry.oldName)
        .name(entry.newName)
        .number(id.device)
        .number(id.inode)
        .number(id.bornNs)
        .number(int(id.kind))
        .number(id.size)
        .number(id.modifiedNs)
        .end();
}

LineWriter &LineWriter::run(qint64 startedMs, const QString &folder,
                            const std::optional<platform::VolumePlace> &volume,
                            const QString &command)
{
    tag('R').number(startedMs).name(folder).text(command.toLatin1()).end();
    if (volume)
        tag('V')
            .name(volume->volume)
            .number(volume->stableInodes ? 1 : 0)
            .name(volume->pathInside)
            .end();
    return *this;
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

namespace {

// Reads the lines after the header into `run`; false when the record cannot
// be trusted.
class Parser
{
public:
    Parser(RecordedRun &run, int version)
        : run(run)
        , version(version)
        , first(version == 1)
    { }

    bool take(qsizetype line, const QByteArray &content)
    {
        const QList<QByteArray> fields = content.split(' ');
        const QByteArray &tag = fields.first();
        if (line == 1)
            return takeRun(tag, fields);
        if (line == 2 && tag == "V" && version >= 3)
            return takeVolume(fields);
        if (tag == "P") {
            const std::optional<JournalEntry> entry = entryFrom(fields, version);
            // Before "B" every entry is planned once; after it, an entry is
            // planned anew.
            if (!entry || (!planComplete && entries.contains(entry->index)))
                return false;
            entries.insert(entry->index, {*entry, RecordedRun::Outcome::Unknown});
            return true;
        }
        if (!planComplete) {
            planComplete = tag == "B" && fields.size() == 2
                           && numberFrom(fields.at(1)) == qint64(entries.size());
            return planComplete;
        }
        if (tag == "E" && fields.size() == 1) {
            run.finished = true;
            return true;
        }
        if (tag == "L" && fields.size() == 2 && !first) {
            run.incomplete = fields.at(1) == "1";
            return run.incomplete || fields.at(1) == "0";
        }
        if (tag == "M" && version >= 3)
            return takeRenamedAs(fields);
        if (tag == "U" && first) {
            // Renamed otherwise than planned; it replaces the plan's entry.
            const std::optional<JournalEntry> entry = entryFrom(fields, version);
            if (entry)
                entries.insert(entry->index, {*entry, RecordedRun::Outcome::Renamed});
            return entry.has_value();
        }
        return takeOutcome(tag, fields);
    }

    bool complete() const { return planComplete; }
    QList<RecordedRun::Entry> takeEntries() { return entries.values(); }

private:
    bool takeRun(const QByteArray &tag, const QList<QByteArray> &fields)
    {
        // The first version did not say which command made the run.
        if (tag != "R" || fields.size() != (first ? 3 : 4))
            return false;
        const std::optional<qint64> started = numberFrom(fields.at(1));
        const std::optional<QString> folder = textFrom(fields.at(2));
        const QByteArray command = first ? QByteArray() : fields.at(3);
        // Undo renames in this folder alone: it must be a whole path.
        if (!started || !folder || platform::cleanFolderPath(*folder).isEmpty()
            || folder->contains(QChar(0))
            || !std::all_of(command.begin(), command.end(),
                            [](char c) { return c >= 'a' && c <= 'z'; }))
            return false;
        run.started = QDateTime::fromMSecsSinceEpoch(*started);
        run.folder = *folder;
        run.command = QString::fromLatin1(command);
        return true;
    }

    // "V <volume> <inodes kept: 0 or 1> <path inside the volume>".
    bool takeVolume(const QList<QByteArray> &fields)
    {
        if (fields.size() != 4 || (fields.at(2) != "0" && fields.at(2) != "1"))
            return false;
        const std::optional<QString> volume = textFrom(fields.at(1));
        const std::optional<QString> inside = textFrom(fields.at(3));
        if (!volume || volume->isEmpty() || !inside || !inside->startsWith(u'/'))
            return false;
        run.volume = platform::VolumePlace {*volume, *inside, fields.at(2) == "1"};
        return true;
    }

    // "M <index> <size> <time>": the size and time of change the entry's
    // rename left, as planned or planned anew.
    bool takeRenamedAs(const QList<QByteArray> &fields)
    {
        if (fields.size() != 4)
            return false;
        const std::optional<qint64> index = numberFrom(fields.at(1));
        const std::optional<qint64> size = numberFrom(fields.at(2));
        const std::optional<qint64> time = numberFrom(fields.at(3));
        const auto entry = index && *index >= 0 && *index <= std::numeric_limits<int>::max()
                               ? entries.find(int(*index))
                               : entries.end();
        if (entry == entries.end() || !size || *size < 0 || !time)
            return false;
        platform::FileIdentity now = entry->file.identity;
        now.size = *size;
        now.modifiedNs = *time;
        entry->file.renamedAs = now;
        return true;
    }

    // "D <first> <last>": the planned entries from first to last were
    // renamed (the first version: "D <index>"); "F <index>": failed;
    // "S <index>": settled by an undo.
    bool takeOutcome(const QByteArray &tag, const QList<QByteArray> &fields)
    {
        const bool range = tag == "D" && !first;
        if (fields.size() != (range ? 3 : 2))
            return false;
        const std::optional<qint64> from = numberFrom(fields.at(1));
        const std::optional<qint64> to = numberFrom(fields.back());
        // Entries are numbered as ints; a larger number names none of them.
        if (!from || !to || *from < 0 || *from > *to || *to > std::numeric_limits<int>::max())
            return false;
        using Outcome = RecordedRun::Outcome;
        Outcome outcome;
        if (tag == "D")
            outcome = Outcome::Renamed;
        else if (tag == "F")
            outcome = Outcome::Failed;
        else if (tag == "S")
            outcome = Outcome::Settled;
        else
            return false;
        // Only a planned rename can succeed or be undone; an entry the plan
        // knew would fail may fail without a plan line.
        if (outcome != Outcome::Failed && !entries.contains(int(*from)))
            return false;
        for (auto entry = entries.lowerBound(int(*from));
             entry != entries.end() && entry.key() <= *to; ++entry) {
            if (entry->outcome != Outcome::Settled)
                entry->outcome = outcome;
        }
        return true;
    }

    RecordedRun &run;
    const int version;
    const bool first;
    QMap<int, RecordedRun::Entry> entries;
    bool planComplete = false;
};

} // namespace

RecordedRun parse(const QByteArray &record)
{
    RecordedRun run;
    run.damaged = true;
    QList<QByteArray> lines = record.split('\n');
    // What follows the last line end is a line cut short by a crash.
    lines.removeLast();
    std::optional<Parser> parser;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const std::optional<QByteArray> content = contentOf(lines.at(i));
        if (!content)
            return run;
        if (i == 0) {
            const auto known = std::find(versions.begin(), versions.end(), *content);
            if (known == versions.end())
                return run;
            run.version = int(known - versions.begin()) + 1;
            parser.emplace(run, run.version);
        } else if (!parser->take(i, *content)) {
            return run;
        }
    }
    if (!parser || !parser->complete())
        return run;
    run.entries = parser->takeEntries();
    run.damaged = false;
    return run;
}

} // namespace namlex::journalformat

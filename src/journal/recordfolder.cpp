#include "journal/recordfolder.h"

#include "platform/privatefolder.h"

#include <QDir>

#include <algorithm>
#include <limits>

using namespace Qt::StringLiterals;

namespace namlex {

namespace {

const QString runSuffix = u".run"_s;
const QString waitingSuffix = u".waiting"_s;
const QString asideSuffix = u".damaged"_s;
// Links are never followed from here: a link planted in the folder could
// lead its writes to any file of the user's.
const QDir::Filters plainFiles = QDir::Files | QDir::NoSymLinks;

// The sequence number in a record's name; -1 for the records of the first
// version, named after the time they began, which are older than any other.
qint64 sequenceOf(const QString &name)
{
    const QString stem = name.section(u'.', 0, 0);
    bool ok = false;
    const qint64 sequence = stem.toLongLong(&ok);
    return ok && !stem.contains(u'-') ? sequence : -1;
}

QStringList newestFirst(QStringList names)
{
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const qint64 first = sequenceOf(a), second = sequenceOf(b);
        return first != second ? first > second : a > b;
    });
    return names;
}

// A problem of the folder, which the texts name.
platform::Problem inFolder(platform::Problem problem, const QString &folder)
{
    problem.otherName = folder;
    return problem;
}

// Opens the counter, or makes it anew when what stands under its name is no
// plain file, such as a link to another file; false: there is none, and
// the numbers are taken from the records alone.
bool openCounter(platform::PlainFile &counter)
{
    const platform::Problem problem = counter.openPlain(QIODevice::ReadWrite);
    if (problem.ok())
        return true;
    // Removes a link, not its target; a folder stays.
    return problem.cause == platform::Cause::NotAFile && counter.remove()
           && counter.openPlain(QIODevice::ReadWrite | QIODevice::NewOnly).ok();
}

} // namespace

RecordFolder::RecordFolder(const QString &path)
    : path_(path)
{ }

QString RecordFolder::filePath(const QString &record) const
{
    return QDir(path_).filePath(record);
}

QStringList RecordFolder::records() const
{
    return newestFirst(QDir(path_).entryList({u"*"_s + runSuffix}, plainFiles));
}

QStringList RecordFolder::waitingRecords() const
{
    return QDir(path_).entryList({u"*"_s + waitingSuffix}, plainFiles);
}

QString RecordFolder::start(const QString &path) const
{
    QString started = path;
    started.chop(waitingSuffix.size());
    started += runSuffix;
    return QDir().rename(path, started) ? started : QString();
}

qint64 RecordFolder::lastSequence() const
{
    qint64 last = 0;
    for (const QString &name : QDir(path_).entryList(
             {u"*"_s + runSuffix, u"*"_s + waitingSuffix, u"*"_s + asideSuffix}, plainFiles))
        last = std::max(last, sequenceOf(name));
    return last;
}

platform::Problem RecordFolder::trust() const
{
    return inFolder(platform::checkPrivateFolder(path_), path_);
}

std::unique_ptr<platform::PlainFile> RecordFolder::openRecord(const QString &record) const
{
    auto file = std::make_unique<platform::PlainFile>(filePath(record));
    if (file->openPlain(QIODevice::ReadWrite | QIODevice::ExistingOnly | QIODevice::Unbuffered).ok()
        || file->openPlain(QIODevice::ReadOnly).ok())
        return file;
    return nullptr;
}

std::variant<std::unique_ptr<platform::PlainFile>, platform::Problem> RecordFolder::createRecord()
    const
{
    if (const platform::Problem problem = platform::makePrivateFolder(path_); !problem.ok())
        return inFolder(problem, path_);
    // Taking the number and creating its record happen under one lock, so
    // that two programs never take the same number. Without a counter, the
    // records' own names keep the order, and creating a record only where
    // none is keeps two programs apart.
    platform::PlainFile counter(filePath(u"sequence"_s));
    const bool counted = openCounter(counter) && platform::waitForLock(counter);
    qint64 sequence
        = std::max(counted ? counter.read(32).trimmed().toLongLong() : 0, lastSequence());
    std::unique_ptr<platform::PlainFile> record;
    platform::Problem problem;
    do {
        // Order is kept: no number is taken twice, and none wraps round to
        // sort before the others.
        if (sequence == std::numeric_limits<qint64>::max())
            return inFolder({platform::Cause::NoNumbersLeft}, path_);
        ++sequence;
        record = std::make_unique<platform::PlainFile>(
            filePath(u"%1"_s.arg(sequence, 16, 10, QChar(u'0')) + waitingSuffix));
        problem
            = record->openPlain(QIODevice::ReadWrite | QIODevice::NewOnly | QIODevice::Unbuffered);
    } while (problem.cause == platform::Cause::NameTaken);
    if (!problem.ok())
        return inFolder(problem, path_);
    platform::tryLock(*record);
    const QByteArray number = QByteArray::number(sequence);
    // A counter that cannot be written is made again from the records.
    if (counted
        && (!counter.seek(0) || !counter.resize(0) || counter.write(number) != number.size()))
        counter.remove();
    return record;
}

void RecordFolder::setAside(const QString &record) const
{
    QString aside = record;
    aside.chop(runSuffix.size());
    QDir(path_).rename(record, aside + asideSuffix);
}

void RecordFolder::prune() const
{
    const QStringList all = records();
    for (qsizetype i = keptRuns; i < all.size(); ++i) {
        QFile record(filePath(all.at(i)));
        // A run that is still going, or being undone, elsewhere.
        if (record.open(QIODevice::ReadOnly) && platform::tryLock(record))
            record.remove();
    }
    QStringList aside = newestFirst(QDir(path_).entryList({u"*"_s + asideSuffix}, QDir::Files));
    while (aside.size() > keptRuns)
        QFile::remove(filePath(aside.takeLast()));
}

} // namespace namlex

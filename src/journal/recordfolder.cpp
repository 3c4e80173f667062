#include "journal/recordfolder.h"

#include <QDir>

#include <algorithm>
#include <cerrno>

using namespace Qt::StringLiterals;

namespace namlex {

namespace {

const QString runSuffix = u".run"_s;
const QString waitingSuffix = u".waiting"_s;
const QString asideSuffix = u".damaged"_s;
const QFileDevice::Permissions userOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

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

platform::Problem problemOfLastError(const QString &folder)
{
    const int error = errno;
    return {platform::causeOfError(error), std::nullopt, folder, error};
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
    return newestFirst(QDir(path_).entryList({u"*"_s + runSuffix}, QDir::Files));
}

QStringList RecordFolder::waitingRecords() const
{
    return QDir(path_).entryList({u"*"_s + waitingSuffix}, QDir::Files);
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
             {u"*"_s + runSuffix, u"*"_s + waitingSuffix, u"*"_s + asideSuffix}, QDir::Files))
        last = std::max(last, sequenceOf(name));
    return last;
}

std::variant<std::unique_ptr<QFile>, platform::Problem> RecordFolder::createRecord() const
{
    if (!QDir().mkpath(path_))
        return problemOfLastError(path_);
    QFile::setPermissions(path_, userOnly | QFileDevice::ExeOwner);
    // Taking the number and creating its record happen under one lock, so
    // that two programs never take the same number.
    QFile counter(filePath(u"sequence"_s));
    if (!counter.open(QIODevice::ReadWrite, userOnly) || !platform::waitForLock(counter))
        return problemOfLastError(path_);
    qint64 sequence = std::max(counter.readAll().trimmed().toLongLong(), lastSequence());
    auto record = std::make_unique<QFile>();
    do {
        record->setFileName(filePath(u"%1"_s.arg(++sequence, 16, 10, QChar(u'0')) + waitingSuffix));
    } while (
        !record->open(QIODevice::ReadWrite | QIODevice::NewOnly | QIODevice::Unbuffered, userOnly)
        && record->exists());
    if (!record->isOpen())
        return problemOfLastError(path_);
    platform::tryLock(*record);
    const QByteArray number = QByteArray::number(sequence);
    // A counter that cannot be written is made again from the records.
    if (!counter.seek(0) || !counter.resize(0) || counter.write(number) != number.size())
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

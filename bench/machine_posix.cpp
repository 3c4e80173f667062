#include "machine.h"

#include <QFile>
#include <QStringList>
#include <QSysInfo>
#include <QThread>

#include <sys/resource.h>
#include <sys/statfs.h>

using namespace Qt::StringLiterals;

namespace namlex::bench {

namespace {

QString fieldOf(const QString &file, const QString &key)
{
    QFile input(file);
    if (!input.open(QIODevice::ReadOnly))
        return {};
    const QStringList lines = QString::fromUtf8(input.readAll()).split(u'\n');
    for (const QString &line : lines) {
        if (line.startsWith(key))
            return line.section(u':', 1).trimmed();
    }
    return {};
}

QString fileSystemOf(const QString &folder)
{
    struct statfs info = {};
    if (::statfs(QFile::encodeName(folder).constData(), &info) != 0)
        return u"unknown"_s;
    switch (info.f_type) {
    case 0xEF53:
        return u"ext2/3/4"_s;
    case 0x01021994:
        return u"tmpfs"_s;
    case 0x9123683E:
        return u"btrfs"_s;
    case 0x58465342:
        return u"xfs"_s;
    case 0x794c7630:
        return u"overlayfs"_s;
    default:
        return u"0x"_s + QString::number(qulonglong(info.f_type), 16);
    }
}

} // namespace

QString machineDescription(const QString &benchFolder)
{
    QString build;
#ifdef NDEBUG
    build = u"optimised (NDEBUG)"_s;
#else
    build = u"with assertions"_s;
#endif
    return u"- CPU: %1, %2 logical cores\n"_s.arg(fieldOf(u"/proc/cpuinfo"_s, u"model name"_s))
               .arg(QThread::idealThreadCount())
           + u"- Memory: %1\n"_s.arg(fieldOf(u"/proc/meminfo"_s, u"MemTotal"_s))
           + u"- System: %1, kernel %2\n"_s.arg(QSysInfo::prettyProductName(),
                                                QSysInfo::kernelVersion())
           + u"- Bench folder: %1 (%2)\n"_s.arg(benchFolder, fileSystemOf(benchFolder))
           + u"- Qt %1, %2 build, compiled with %3\n"_s.arg(QString::fromLatin1(qVersion()), build,
                                                            QString::fromLatin1(__VERSION__));
}

double peakResidentMiB()
{
    const QString peak = fieldOf(u"/proc/self/status"_s, u"VmHWM"_s); // "123456 kB"
    return peak.section(u' ', 0, 0).toDouble() / 1024.0;
}

double processCpuSeconds()
{
    rusage usage = {};
    ::getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval &time) { return time.tv_sec + time.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

} // namespace namlex::bench

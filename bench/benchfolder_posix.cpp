#include "benchfolder.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace namlex::bench {

QList<QByteArray> sampleNames(int count, bool musicOnly)
{
    static const char *const extensions[]
        = {".mp3", ".mp3", ".mp3", ".mp3", ".mp3", ".MP3", ".wma", ".wma", ".flac", ".txt"};
    QList<QByteArray> names;
    names.reserve(count);
    for (int i = 1; i <= count; ++i)
        names.append(QByteArray("0") + QByteArray::number(1 + i % 9) + " - Song_title_number_"
                     + QByteArray::number(i) + extensions[musicOnly ? i % 8 : i % 10]);
    return names;
}

void createFolder(const QString &folder, const QList<QByteArray> &names)
{
    const QByteArray path = QFile::encodeName(folder);
    if (::mkdir(path.constData(), 0755) != 0)
        qFatal("cannot create %s", path.constData());
    const int dir = ::open(path.constData(), O_RDONLY | O_DIRECTORY);
    for (const QByteArray &name : names) {
        const int file = ::openat(dir, name.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        if (file < 0)
            qFatal("cannot create %s", name.constData());
        ::close(file);
    }
    ::close(dir);
}

} // namespace namlex::bench

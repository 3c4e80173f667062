#include "rawfiles.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>

namespace namlex::test {

void writeRawFile(const QByteArray &folder, const QByteArray &name, const QByteArray &content)
{
    const QByteArray path = folder + '/' + name;
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return;
    const ssize_t written = ::write(fd, content.constData(), size_t(content.size()));
    Q_UNUSED(written);
    ::close(fd);
}

QByteArray readRawFile(const QByteArray &folder, const QByteArray &name)
{
    const QByteArray path = folder + '/' + name;
    const int fd = ::open(path.constData(), O_RDONLY);
    if (fd < 0)
        return "<missing>";
    QByteArray content(4096, '\0');
    const ssize_t got = ::read(fd, content.data(), size_t(content.size()));
    ::close(fd);
    content.truncate(got < 0 ? 0 : int(got));
    return content;
}

QList<QByteArray> rawNames(const QByteArray &folder)
{
    QList<QByteArray> names;
    if (DIR *dir = ::opendir(folder.constData())) {
        while (const dirent *entry = ::readdir(dir)) {
            const QByteArray name(entry->d_name);
            if (name != "." && name != "..")
                names.append(name);
        }
        ::closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

void removeRawFiles(const QByteArray &folder)
{
    for (const QByteArray &name : rawNames(folder))
        ::unlink((folder + '/' + name).constData());
}

} // namespace namlex::test

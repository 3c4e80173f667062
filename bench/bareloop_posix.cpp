#include "bareloop.h"

#include "platform/naturalorder.h"
#include "transforms/numbering.h"
#include "transforms/underscores.h"

#include <QFile>
#include <QList>

#include <algorithm>

#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

namespace namlex::bench {

int runBareLoop(const QString &folder, bool inListOrder)
{
    const QByteArray path = QFile::encodeName(folder);
    DIR *dir = ::opendir(path.constData());
    if (!dir)
        return 0;
    QList<QByteArray> names;
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != ".." && entry->d_type != DT_DIR)
            names.append(name);
    }
    // readdir's order follows the directory's own layout, which the file
    // system renames fastest in; the list's order does not.
    if (inListOrder) {
        std::sort(names.begin(), names.end(), [](const QByteArray &a, const QByteArray &b) {
            return platform::naturalLess(QString::fromUtf8(a), QString::fromUtf8(b));
        });
    }
    int renamed = 0;
    const int fd = ::dirfd(dir);
    for (const QByteArray &name : names) {
        const QString oldName = QString::fromUtf8(name);
        const QString newName
            = replaceUnderscores(removeNumbering(oldName, true).value_or(oldName)).value_or(oldName);
        if (newName == oldName)
            continue;
        if (::renameat2(fd, name.constData(), fd, newName.toUtf8().constData(), RENAME_NOREPLACE)
            == 0)
            ++renamed;
    }
    ::closedir(dir);
    return renamed;
}

} // namespace namlex::bench

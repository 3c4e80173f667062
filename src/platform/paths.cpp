#include "platform/paths.h"

#include "platform/namecodec.h"

namespace namlex::platform {

namespace {

bool isSeparator(QChar c)
{
#ifdef Q_OS_WIN
    // Windows accepts both slashes in a path.
    return c == u'\\' || c == u'/';
#else
    return c == u'/';
#endif
}

// Length of the root at the start of an absolute path, 0 for a relative one.
qsizetype rootLength(const QString &path)
{
#ifdef Q_OS_WIN
    if (path.size() >= 3 && path.at(0).isLetter() && path.at(1) == u':' && isSeparator(path.at(2)))
        return 3;
    return 0;
#else
    return path.startsWith(u'/') ? 1 : 0;
#endif
}

} // namespace

QChar pathSeparator()
{
#ifdef Q_OS_WIN
    return u'\\';
#else
    return u'/';
#endif
}

QString joinPath(const QString &folder, const QString &name)
{
    if (!folder.isEmpty() && isSeparator(folder.back()))
        return folder + name;
    return folder + pathSeparator() + name;
}

QString cleanFolderPath(const QString &path)
{
    const qsizetype root = rootLength(path);
    if (root == 0)
        return {};
    QStringList parts;
    for (const QString &part : path.mid(root).split(pathSeparator(), Qt::SkipEmptyParts)) {
        if (part == u"..") {
            if (!parts.isEmpty())
                parts.removeLast();
        } else if (part != u".") {
            parts.append(part);
        }
    }
    return path.left(root - 1) + pathSeparator() + parts.join(pathSeparator());
}

QStringList folderChain(const QString &cleanPath)
{
    const qsizetype root = rootLength(cleanPath);
    QString folder = cleanPath.left(root);
    QStringList chain {folder};
    for (const QString &part : cleanPath.mid(root).split(pathSeparator(), Qt::SkipEmptyParts)) {
        folder = joinPath(folder, part);
        chain.append(folder);
    }
    return chain;
}

bool isPlainFileName(const QString &name)
{
    if (name.isEmpty() || name == u"." || name == u"..")
        return false;
    for (const QChar c : name) {
        if (isSeparator(c) || c.isNull())
            return false;
    }
    return encodedSize(name).has_value();
}

} // namespace namlex::platform

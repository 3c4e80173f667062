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

bool isPlainFileName(const QString &name)
{
    if (name.isEmpty() || name == u"." || name == u"..")
        return false;
    for (const QChar c : name) {
        if (isSeparator(c) || c.isNull())
            return false;
    }
    return encodeName(name).has_value();
}

} // namespace namlex::platform

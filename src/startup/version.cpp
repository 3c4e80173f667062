#include "startup/version.h"

namespace namlex {

QString versionText()
{
    return QString::number(NAMLEX_VERSION_MAJOR) + u'.' + QString::number(NAMLEX_VERSION_MINOR);
}

} // namespace namlex

#include "platform/paths.h"

#include "platform/namecodec.h"

#include <cerrno>
#include <unistd.h>

namespace namlex::platform {

QString workingFolder()
{
    // getcwd has no way to ask for the length, so grow the buffer until the
    // path fits.
    QByteArray buffer(256, Qt::Uninitialized);
    while (::getcwd(buffer.data(), static_cast<size_t>(buffer.size())) == nullptr) {
        if (errno != ERANGE)
            return {};
        buffer.resize(buffer.size() * 2);
    }
    return decodeName(QByteArray(buffer.constData()));
}

} // namespace namlex::platform

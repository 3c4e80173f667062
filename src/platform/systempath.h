#pragma once

#include "platform/namecodec.h"

namespace namlex::platform {

// The bytes to hand to a system call for a path. A NUL byte would silently
// cut the path short and address a different file, so such a path has none.
inline std::optional<QByteArray> systemPath(const QString &path)
{
    std::optional<QByteArray> bytes = encodeName(path);
    if (!bytes || bytes->contains('\0'))
        return std::nullopt;
    return bytes;
}

} // namespace namlex::platform

#pragma once

#include <QString>

namespace namlex::platform {

// Renames a file without ever replacing an existing target. Returns false
// when the file could not be renamed; the file then keeps its old name.
bool renameNoReplace(const QString &fromPath, const QString &toPath);

// Deletes exactly one regular file or link. A folder, a pipe, a socket or a
// device node is never deleted, nor a write-protected file.
bool deleteFile(const QString &path);

} // namespace namlex::platform

#pragma once

#include <QString>

namespace namlex::platform {

// The platform's own path separator.
QChar pathSeparator();

// Folder and name joined by exactly one separator, also at the root.
QString joinPath(const QString &folder, const QString &name);

// A name that can stand on its own in a folder: not empty, not "." or "..",
// no separator, and encodable back into the bytes of a file name.
bool isPlainFileName(const QString &name);

// The process's working folder.
QString workingFolder();

} // namespace namlex::platform

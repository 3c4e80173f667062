#pragma once

#include <QString>
#include <QStringList>

namespace namlex::platform {

// The platform's own path separator.
QChar pathSeparator();

// Folder and name joined by exactly one separator, also at the root.
QString joinPath(const QString &folder, const QString &name);

// A name that can stand on its own in a folder: not empty, not "." or "..",
// no separator, and encodable back into the bytes of a file name.
bool isPlainFileName(const QString &name);

// An absolute folder path without ".", "..", doubled or trailing
// separators (the root keeps its own). Empty when the path is not absolute.
// Pure string work: names may hold escapes for bytes that are not UTF-8.
QString cleanFolderPath(const QString &path);

// The folders from the root down to the given clean folder path, both included.
QStringList folderChain(const QString &cleanPath);

// The process's working folder.
QString workingFolder();

} // namespace namlex::platform

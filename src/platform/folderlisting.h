#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace namlex::platform {

// The files (never folders, hidden ones included) of a folder whose names
// match any of the wildcard patterns, without regard to case; "*.*" matches
// every name. Sorted in natural, case-insensitive order.
// Empty optional: the folder cannot be listed.
std::optional<QStringList> listFiles(const QString &folder, const QStringList &patterns);

// The sub-folders of a folder, in natural order. Names that begin with "."
// are left out, as a file manager does by default.
std::optional<QStringList> listSubfolders(const QString &folder);

// Whether the folder exists and its entries can be read.
bool canListFolder(const QString &folder);

} // namespace namlex::platform

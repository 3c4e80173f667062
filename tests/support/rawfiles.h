#pragma once

#include <QByteArray>
#include <QList>

namespace namlex::test {

// Files created and read by their raw name bytes, so that names which are
// not valid UTF-8 can be set up and checked byte for byte.
void writeRawFile(const QByteArray &folder, const QByteArray &name, const QByteArray &content);
QByteArray readRawFile(const QByteArray &folder, const QByteArray &name);
// The names of the folder's entries, sorted bytewise, without "." and "..".
QList<QByteArray> rawNames(const QByteArray &folder);
// Removes the folder's files by their bytes; Qt cannot address every name.
void removeRawFiles(const QByteArray &folder);

} // namespace namlex::test

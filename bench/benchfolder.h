#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace namlex::bench {

// Names like "07 - Song_title_number_123.mp3", each unique, with a mix of
// extensions, or only ".mp3" and ".wma" (`musicOnly`: what the window lists
// when it opens); every name begins with a zero, so the default leading-zero
// rule touches all of them.
QList<QByteArray> sampleNames(int count, bool musicOnly = false);

// Creates `folder` (which must not exist) holding an empty file per name.
void createFolder(const QString &folder, const QList<QByteArray> &names);

} // namespace namlex::bench

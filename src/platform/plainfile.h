#pragma once

#include "platform/problem.h"

#include <QFile>

namespace namlex::platform {

// A regular file of one name, opened without ever following a link to it:
// a link planted under a file's name could lead writes to any other file of
// the user's. Never a pipe or device either, nor a file that also has
// another name elsewhere.
class PlainFile : public QFile
{
public:
    explicit PlainFile(const QString &path);

    // Opens the file with QFile's `mode` only when it is such a file.
    // Opening for writing creates it for the user alone, unless `mode` holds
    // ExistingOnly; NewOnly creates it or fails. NotAFile: something else
    // stands under the name.
    Problem openPlain(QIODevice::OpenMode mode);

    // A file opened from its handle, as here, forgets its name in QFile.
    QString fileName() const override { return path_; }
    // Closes the file and removes it by its name.
    bool remove();

private:
    QString path_;
};

} // namespace namlex::platform

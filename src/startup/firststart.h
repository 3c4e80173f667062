#pragma once

#include <QString>
#include <QStringList>

namespace namlex {

// Where the window opens when no folder is stored. A program in a folder it
// can write to (a build folder, a copy on a USB stick) opens on its own
// folder, which the window tries last anyway; an installed program's folder
// (/usr/bin) holds no music, so it opens on the user's music folder, or on
// the home folder where there is none.
QStringList fallbackFolders(bool programFolderWritable, const QString &musicFolder,
                            const QString &homeFolder);

} // namespace namlex

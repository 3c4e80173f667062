#include "startup/firststart.h"

namespace namlex {

QStringList fallbackFolders(bool programFolderWritable, const QString &musicFolder,
                            const QString &homeFolder)
{
    if (programFolderWritable)
        return {};
    return {musicFolder, homeFolder};
}

} // namespace namlex

#include "folderfilelist.h"

#include "platform/folderlisting.h"

namespace namlex::test {

void FolderFileList::refresh()
{
    ++refreshes;
    listed = platform::listFiles(folder, patterns).value_or(QStringList());
    index = -1;
}

} // namespace namlex::test

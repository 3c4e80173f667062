#pragma once

#include "platform/problem.h"

#include <QString>

// A folder that holds files for the user alone, such as the records of the
// runs: anyone else who may write there could plant, change or delete them.
namespace namlex::platform {

// Makes the folder for the user alone, its parents as usual, unless it is
// there. A folder that is there, also one a link leads to, is trusted only
// when it belongs to the user, no one else may write in it and its owner
// may; its mode is never changed, as the user may have set it.
Problem makePrivateFolder(const QString &path);
// The same checks, for a folder that must be there already and is to be
// read: the owner's own mode may forbid writing.
Problem checkPrivateFolder(const QString &path);

} // namespace namlex::platform

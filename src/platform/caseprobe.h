#pragma once

#include "platform/namerules.h"

#include <QStringList>

#include <functional>
#include <optional>

namespace namlex::platform {

// What looking a name up in a folder found.
enum class Lookup {
    Found,
    Missing, // the folder says that no entry has that name
    Failed, // the folder did not say
};

// Whether a folder folds letter case, learnt from the folder itself: an
// entry whose name in the other ASCII letter case no entry of the listing
// has is looked up in that case. Whatever entry is found so, the folder
// folds case (FUSE gives each name it is asked for a node number of its
// own, so the numbers prove nothing); where the folder says there is none,
// it does not. Empty: no lookup proved either.
std::optional<NameRules::LetterCase> letterCaseOfFolder(
    const QStringList &entries, const std::function<Lookup(const QString &)> &lookUp);

} // namespace namlex::platform

#pragma once

#include <QString>

#include <optional>

namespace namlex {

// Removes the leading track numbering and the one separator behind it.
// Empty optional: the computation failed (the leading value is outside the
// range of a double, or a position would pass 32767); the caller reports
// it and keeps the name.
std::optional<QString> removeNumbering(const QString &name, bool onlyWithLeadingZero);

} // namespace namlex

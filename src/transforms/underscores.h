#pragma once

#include <QString>

#include <optional>

namespace namlex {

// Turns every underscore into a blank and trims the leading blanks.
std::optional<QString> replaceUnderscores(const QString &name); // empty: position overflow

} // namespace namlex

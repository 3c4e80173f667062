#pragma once

#include <QString>

namespace namlex::platform {

// Case-insensitive natural order, as in a file manager: runs of digits
// compare by value, so "2 - x" comes before "10 - x". Names that differ only
// in case still get a fixed order.
bool naturalLess(const QString &a, const QString &b);

} // namespace namlex::platform

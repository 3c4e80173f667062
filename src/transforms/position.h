#pragma once

#include <QtGlobal>

namespace namlex {

// Character positions in names are 16-bit signed numbers, as all counters of
// the program; passing this limit is an overflow error of the computation.
inline constexpr int maxPosition = 32767;

// Moves the position p on by `by`. Returns false, and leaves p as it was, when
// the new position would pass maxPosition.
[[nodiscard]] inline bool advance(int &p, qsizetype by)
{
    if (by > maxPosition - p)
        return false;
    p += static_cast<int>(by);
    return true;
}

} // namespace namlex

#pragma once

#include <QString>

namespace namlex::bench {

class XSession;

// The both command in the real program on an X server, worked with real key
// presses, in milliseconds: from the key that starts it to its question on
// screen, and from the key that answers Yes to the summary box on screen.
// A person reads the question for a second in between. Negative: the
// program or a box did not appear.
struct WindowTimes
{
    double question = -1;
    double run = -1;
};
WindowTimes timeThroughWindow(XSession &session, const QString &program, const QString &folder);

} // namespace namlex::bench

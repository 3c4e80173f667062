#pragma once

class QCoreApplication;

namespace namlex {

// The window speaks German whatever the system's language, so Qt's own
// texts (the button that shows a box's details, say) come from Qt's German
// translation. False when it is not installed (Debian's
// qt6-translations-l10n); Qt then keeps its English texts.
bool installQtGerman(QCoreApplication &app);

} // namespace namlex

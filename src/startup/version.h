#pragma once

#include <QString>

namespace namlex {

// "1.2": major and minor version, as set for the build.
QString versionText();

} // namespace namlex

#pragma once

#include <QString>
#include <QStringList>

namespace namlex::platform {

// "*.mp3;*.wma" -> {"*.mp3", "*.wma"}; blanks around the parts are dropped.
QStringList splitPatterns(const QString &patternList);

// "*" matches any run of characters, "?" one character; letter case is
// ignored. "*.*" matches every name, with or without a dot.
bool matchesWildcard(const QString &name, const QString &pattern);
// Whether the name matches any of the patterns.
bool matchesAnyWildcard(const QString &name, const QStringList &patterns);

} // namespace namlex::platform

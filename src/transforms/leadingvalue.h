#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace namlex {

// The numeric value with which the name begins: blanks, tabs and line feeds
// are skipped; a decimal number with optional sign, fraction and exponent
// ("E" or "D"), or "&H"/"&O" followed by hexadecimal/octal digits. A name
// without a number has the value 0. Empty when the value lies outside the
// range of a double.
std::optional<double> leadingValue(QStringView name);

// The value written as text: whole numbers below 10^15 as plain digits,
// anything else with at most 15 significant digits and the locale's decimal
// separator.
QString valueText(double value);

} // namespace namlex

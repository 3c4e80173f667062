#include "leadingvalue.h"

#include <QLocale>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

namespace {

// The name as plain ASCII without blanks, tabs and line feeds. A character
// outside ASCII can never continue a number, so the copy stops there.
std::string readableText(QStringView name)
{
    std::string text;
    for (const QChar c : name) {
        if (c == u' ' || c == u'\t' || c == u'\n')
            continue;
        if (c.unicode() > 0x7f)
            break;
        text += static_cast<char>(c.unicode());
    }
    return text;
}

bool isDigit(char c, int base)
{
    if (base == 8)
        return c >= '0' && c <= '7';
    if (base == 16 && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')))
        return true;
    return c >= '0' && c <= '9';
}

std::string_view digitRun(std::string_view text, size_t from, int base)
{
    size_t end = from;
    while (end < text.size() && isDigit(text[end], base))
        ++end;
    return text.substr(from, end - from);
}

// from_chars reads hexadecimal but not octal; three bits per octal digit,
// regrouped by four, give the same value in hexadecimal.
std::string octalAsHex(std::string_view octal)
{
    static constexpr char hexDigits[] = "0123456789abcdef";
    std::string hex;
    unsigned nibble = 0;
    size_t filled = (4 - octal.size() * 3 % 4) % 4; // zero bits in front of the first digit
    for (const char c : octal) {
        for (int bit = 2; bit >= 0; --bit) {
            nibble = nibble << 1 | ((c - '0') >> bit & 1);
            if (++filled == 4) {
                hex += hexDigits[nibble];
                nibble = 0;
                filled = 0;
            }
        }
    }
    return hex;
}

// "&H" and "&O" numbers are read as unsigned values of any size.
std::optional<double> readUnsigned(std::string_view digits, int base)
{
    const std::string hex = base == 16 ? std::string(digits) : octalAsHex(digits);
    if (hex.empty())
        return 0.0;
    double value = 0;
    const auto result
        = std::from_chars(hex.data(), hex.data() + hex.size(), value, std::chars_format::hex);
    if (result.ec == std::errc::result_out_of_range)
        return std::nullopt;
    return value;
}

long long saturatedNumber(std::string_view digits)
{
    constexpr long long limit = 1'000'000'000'000LL;
    long long number = 0;
    for (const char c : digits)
        number = std::min(limit, number * 10 + (c - '0'));
    return number;
}

// Decimal exponent of the first significant digit. A number out of range with
// an exponent of 0 or more is too large; below that it is too small.
long long leadingExponent(std::string_view whole, std::string_view fraction, long long exponent)
{
    const size_t firstWhole = whole.find_first_not_of('0');
    if (firstWhole != std::string_view::npos)
        return exponent + static_cast<long long>(whole.size() - firstWhole) - 1;
    return exponent - static_cast<long long>(fraction.find_first_not_of('0')) - 1;
}

// Reads sign, digits, fraction and exponent. The text handed to from_chars is
// rebuilt in its own syntax, which is locale-independent: no "+" sign, and
// "e" for the exponent letters "E" and "D".
std::optional<double> readDecimal(std::string_view text)
{
    std::string number;
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-')
            number += '-';
        ++i;
    }
    const std::string_view whole = digitRun(text, i, 10);
    i += whole.size();
    std::string_view fraction;
    if (i < text.size() && text[i] == '.') {
        fraction = digitRun(text, i + 1, 10);
        i += 1 + fraction.size();
    }
    if (whole.empty() && fraction.empty())
        return 0.0;
    number.append(whole.empty() ? std::string_view("0") : whole).append(".").append(fraction);

    long long exponent = 0;
    if (i < text.size() && std::string_view("EeDd").find(text[i]) != std::string_view::npos) {
        size_t j = i + 1;
        const bool negative = j < text.size() && text[j] == '-';
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        // An exponent letter without digits is not part of the number.
        const std::string_view digits = digitRun(text, j, 10);
        if (!digits.empty()) {
            number.append(negative ? "e-" : "e").append(digits);
            exponent = negative ? -saturatedNumber(digits) : saturatedNumber(digits);
        }
    }

    double value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        if (leadingExponent(whole, fraction, exponent) >= 0)
            return std::nullopt;
        return 0.0; // too small: it reads as zero
    }
    return value;
}

} // namespace

std::optional<double> namlex::leadingValue(QStringView name)
{
    const std::string text = readableText(name);
    if (text.size() >= 2 && text[0] == '&') {
        if (text[1] == 'H' || text[1] == 'h')
            return readUnsigned(digitRun(text, 2, 16), 16);
        if (text[1] == 'O' || text[1] == 'o')
            return readUnsigned(digitRun(text, 2, 8), 8);
    }
    return readDecimal(text);
}

QString namlex::valueText(double value)
{
    // Track numbers are whole and small: every name of a large folder comes
    // here, and writing an integer is far cheaper than a general double.
    if (value == std::trunc(value) && std::abs(value) < 1e15)
        return QString::number(qint64(value));
    // Fifteen significant digits write whole numbers below 10^15 as plain
    // digits and switch to the exponent form from there on and below 10^-4.
    return QString::number(value, 'g', 15).replace(u'.', QLocale().decimalPoint());
}

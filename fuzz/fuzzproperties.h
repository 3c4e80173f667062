#pragma once

#include <QString>
#include <QStringView>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>

// Called by libFuzzer in a fuzz build and by the replay driver in every other.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace namlex::fuzz {

// Two bytes make one 16-bit unit, low byte first, so that the fuzzer reaches
// every unit, lone surrogates included. An odd last byte is dropped.
inline QString textFromBytes(const uint8_t *data, size_t size)
{
    QString text(static_cast<qsizetype>(size / 2), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        text[i] = QChar(static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8));
    return text;
}

// A high surrogate without a low one behind it, or a low one without a high
// one before it: half a character.
inline bool hasLoneSurrogate(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (text[i].isSurrogate())
            return true;
    }
    return false;
}

// Aborting is what libFuzzer reports as a crash, with the input saved, and
// what makes the replay test fail.
inline void require(bool holds, const char *property)
{
    if (holds)
        return;
    std::fprintf(stderr, "Broken: %s\n", property);
    std::abort();
}

// What every name transform keeps, whatever the name.
inline void requireTransformProperties(const QString &name, const std::optional<QString> &result)
{
    if (!result)
        return;
    require(result->size() <= name.size(), "the result is never longer than the name");
    require(hasLoneSurrogate(name) || !hasLoneSurrogate(*result),
            "the result holds no half character unless the name did");
}

} // namespace namlex::fuzz

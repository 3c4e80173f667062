#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace namlex::platform {

// File names on disk are plain bytes and need not be valid UTF-8. Decoding is
// lossless: every byte that is not part of a valid UTF-8 sequence becomes the
// lone surrogate U+DC80 + byte (the surrogate-escape scheme of Python's
// os.fsdecode), and encoding maps such lone surrogates back to their byte.
QString decodeName(const QByteArray &bytes);

// Empty optional: the text holds a lone surrogate that stands for no byte.
std::optional<QByteArray> encodeName(const QString &name);

} // namespace namlex::platform

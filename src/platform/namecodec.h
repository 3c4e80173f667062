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

// How many bytes encodeName() gives, without making them: a plan asks this
// of tens of thousands of names. Empty where encodeName() gives none.
std::optional<qsizetype> encodedSize(QStringView name);

// How a name is shown to the user. Bytes that are not UTF-8 show as the
// Windows-1252 characters they stand for (U+FFFD where it has none), each
// run in brackets ("M[ä]dchen"), an invisible byte order mark as "[BOM]",
// and a control character or a mark that reorders text as "[U+202E]". A
// "[" of the name itself that would read as such a mark shows doubled. So a
// name cannot pass for the name of another file, nor break the lines of a
// box; only bytes that Windows-1252 leaves undefined all show alike.
QString displayName(const QString &name);

// How many characters of a name as displayName() shows it, from `at` on,
// belong together and must not be split when the name is shortened: a mark
// such as "[ä]", "[U+000A]" or "[BOM]", a doubled "[[", or a surrogate pair.
// 1 for any other character.
qsizetype shownUnitLength(QStringView shown, qsizetype at);
// Whether a mark starts at `at` of a shown name.
bool isMarkAt(QStringView shown, qsizetype at);

} // namespace namlex::platform

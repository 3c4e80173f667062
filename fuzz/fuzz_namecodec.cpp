#include "fuzzproperties.h"

#include "platform/namecodec.h"

// Any bytes can be a file name on disk; the program must get back exactly
// the bytes it listed to rename or delete that file.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const std::optional<QByteArray> encoded
        = namlex::platform::encodeName(namlex::platform::decodeName(bytes));
    namlex::fuzz::require(encoded == bytes, "a decoded name encodes back to its bytes");
    return 0;
}

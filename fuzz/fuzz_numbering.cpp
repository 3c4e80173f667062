#include "fuzzproperties.h"

#include "transforms/numbering.h"

// Every input runs with and without the leading-zero restriction.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString name = namlex::fuzz::textFromBytes(data, size);
    for (const bool onlyWithLeadingZero : {false, true}) {
        namlex::fuzz::requireTransformProperties(
            name, namlex::removeNumbering(name, onlyWithLeadingZero));
    }
    return 0;
}

#include "fuzzproperties.h"

#include "transforms/underscores.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString name = namlex::fuzz::textFromBytes(data, size);
    namlex::fuzz::requireTransformProperties(name, namlex::replaceUnderscores(name));
    return 0;
}

// libFuzzer entry for the XML reader and writer.
#include "XMLFuzzTarget.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    pgx::fuzz::fuzzXmlDocument(data, size);
    return 0;
}

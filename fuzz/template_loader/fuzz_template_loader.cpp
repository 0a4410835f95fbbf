// libFuzzer entry for the template loader.
#include "TemplateLoaderFuzzTarget.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    pgx::fuzz::fuzzTemplateLoader(data, size);
    return 0;
}

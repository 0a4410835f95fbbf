#include "parse_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    pgx::script::fuzz::parseScriptInput(data, size);
    return 0;
}

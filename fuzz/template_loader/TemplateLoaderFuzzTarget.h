#pragma once

#include <cstddef>
#include <cstdint>

namespace pgx::fuzz {

// Feeds one input to the template loader (a report read through the
// serializer) and checks what must hold for any input: no crash, no hang,
// and once something was loaded, saving it, loading that and saving again
// gives the same bytes. A broken property aborts, so that the fuzzer and
// the seed-corpus test both catch it.
void fuzzTemplateLoader(const uint8_t *data, size_t size);

}   // namespace pgx::fuzz

#pragma once

#include <cstddef>
#include <cstdint>

namespace pgx::fuzz {

// Feeds one input to the XML layer and checks what must hold for any input:
// no crash, and what the writer writes reads back the same. A broken
// property aborts, so the fuzzer and the seed-corpus test both catch it.
void fuzzXmlDocument(const uint8_t *data, size_t size);

}   // namespace pgx::fuzz

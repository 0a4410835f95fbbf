#include <gtest/gtest.h>

#include "TemplateLoaderFuzzTarget.h"
#include "support/CorpusReplay.h"

// Every input the template loader's fuzzer was seeded with, or found a fault
// with, runs through the fuzz target's checks on each build.
TEST(TemplateLoaderFuzzSeeds, ReplayCorpus)
{
    pgx::test::replayCorpus(QStringLiteral(PGX_TEST_DATA "/persist/serializer/fuzz-seeds"), 10,
                            pgx::fuzz::fuzzTemplateLoader);
}

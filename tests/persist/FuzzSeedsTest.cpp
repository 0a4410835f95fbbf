#include <gtest/gtest.h>

#include "XMLFuzzTarget.h"
#include "support/CorpusReplay.h"

// Every input the XML fuzzer was seeded with or has found a fault with runs
// through the fuzz target's checks on each build.
TEST(XMLFuzzSeeds, ReplayCorpus)
{
    pgx::test::replayCorpus(QStringLiteral(PGX_TEST_DATA "/persist/fuzz-seeds"), 10,
                            pgx::fuzz::fuzzXmlDocument);
}

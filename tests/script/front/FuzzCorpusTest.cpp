// The fuzzer's seed corpus, replayed through the same entry as the fuzzer:
// every input once found interesting (or once crashing) must still pass.

#include "../../../fuzz/script_parser/parse_input.h"
#include "support/CorpusReplay.h"

#include <gtest/gtest.h>

namespace {

TEST(ScriptParserFuzzCorpus, EveryInputParsesWithoutFault)
{
    pgx::test::replayCorpus(QStringLiteral(PGX_SOURCE_DIR "/fuzz/script_parser/corpus"), 1,
                            pgx::script::fuzz::parseScriptInput);
}

}   // namespace

// The fuzzer's seed corpus, replayed through the same entry as the fuzzer:
// every input once found interesting (or once crashing) must still pass.

#include "../../../fuzz/script_parser/parse_input.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <gtest/gtest.h>

namespace {

TEST(ScriptParserFuzzCorpus, EveryInputParsesWithoutFault)
{
    const QDir corpus(QStringLiteral(PGX_SOURCE_DIR "/fuzz/script_parser/corpus"));
    const QStringList files = corpus.entryList(QDir::Files, QDir::Name);
    ASSERT_FALSE(files.isEmpty()) << corpus.path().toStdString();
    for (const QString &name : files) {
        QFile file(corpus.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        const QByteArray data = file.readAll();
        SCOPED_TRACE(name.toStdString());
        pgx::script::fuzz::ParseScriptInput(reinterpret_cast<const uint8_t *>(data.constData()),
                                            size_t(data.size()));
    }
}

} // namespace

// Stage 2 on damaged input: every prefix of the golden programs, and the
// parser fuzzer's corpus, compile to a program or to an error message with
// a position; nothing crashes.

#include "AnalyserTestUtil.h"

#include "script/front/LanguageRegistry.h"

#include <gtest/gtest.h>

#include <QtCore/QDir>
#include <QtCore/QFile>

namespace pgx::script::test {
namespace {

TEST(AnalyserRobustness, EveryPrefixOfAProgramCompilesOrFailsCleanly)
{
    const QFileInfoList files = scriptFiles(QStringLiteral(PGX_TEST_DATA "/script/programs"));
    ASSERT_FALSE(files.isEmpty());
    for (const QFileInfo &info : files) {
        QFile f(info.filePath());
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(f.readAll());
        const QString language = languageForFile(info.fileName());
        for (qsizetype cut = 0; cut < text.size(); cut += 9) {
            auto script = compileScript(language, text.left(cut));
            if (!script->errorMessage.isEmpty()) {
                EXPECT_FALSE(script->errorPosition.isEmpty() && script->errorUnit.isEmpty())
                    << qPrintable(info.fileName()) << " cut at " << cut << ": "
                    << qPrintable(script->errorMessage);
            }
        }
    }
}

TEST(AnalyserRobustness, FuzzCorpusCompiles)
{
    const QDir corpus(QStringLiteral(PGX_SOURCE_DIR "/fuzz/script_parser/corpus"));
    const QStringList names = corpus.entryList(QDir::Files, QDir::Name);
    ASSERT_FALSE(names.isEmpty());
    static const char *const kLanguages[] = {"PascalScript", "C++Script", "BasicScript", "JScript"};
    for (const QString &name : names) {
        QFile f(corpus.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray data = f.readAll();
        if (data.isEmpty())
            continue;
        SCOPED_TRACE(name.toStdString());
        compileScript(QString::fromLatin1(kLanguages[uchar(data[0]) & 3]),
                      QString::fromUtf8(data.mid(1)));
    }
}

}   // namespace
}   // namespace pgx::script::test

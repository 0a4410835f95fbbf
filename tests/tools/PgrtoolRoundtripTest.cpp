#include <gtest/gtest.h>

#include "PgrtoolRun.h"
#include "support/GoldenFile.h"
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QProcess>
#include <QtCore/QTemporaryDir>

namespace {

using ToolResult = pgx::test::PgrtoolRun;

ToolResult roundtrip(const QStringList &args)
{
    return pgx::test::runPgrtool(QStringList{QStringLiteral("roundtrip")} + args);
}

QString data(const char *name)
{
    return QStringLiteral(PGX_TEST_DATA "/persist/serializer/roundtrip/") + QLatin1String(name);
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

TEST(PgrtoolRoundtrip, RewritesInOwnFormAndIsStableAfterwards)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("out.pgr"));
    const QString again = dir.filePath(QStringLiteral("again.pgr"));
    const ToolResult first = roundtrip({data("report.pgr"), out});
    EXPECT_EQ(first.exitCode, 0) << first.err.toStdString();
    EXPECT_TRUE(pgx::test::matchesGoldenFile(contents(out), data("report.expected.pgr")));
    EXPECT_EQ(roundtrip({out, again}).exitCode, 0);
    EXPECT_EQ(contents(again), contents(out));
}

// The bundled examples are written in the program's own form: loading and
// saving one gives back the very same bytes.
TEST(PgrtoolRoundtrip, EveryExampleIsWrittenBackByteForByte)
{
    QTemporaryDir dir;
    const QDir examples(QStringLiteral(PGX_SOURCE_DIR "/examples"));
    const QStringList names = examples.entryList({QStringLiteral("*.pgr")}, QDir::Files);
    ASSERT_GE(names.size(), 6);
    for (const QString &name : names) {
        SCOPED_TRACE(name.toStdString());
        const QString out = dir.filePath(name);
        const ToolResult run = roundtrip({examples.filePath(name), out});
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_TRUE(contents(out) == contents(examples.filePath(name)))
            << pgx::test::lineDifference(contents(examples.filePath(name)), contents(out))
                   .toStdString();
    }
}

TEST(PgrtoolRoundtrip, LoadErrorsGoToStderrAfterWritingWhatWasLoaded)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("out.pgr"));
    const ToolResult run = roundtrip({data("faults.pgr"), out});
    EXPECT_EQ(run.exitCode, 1);
    const QString in = data("faults.pgr");
    EXPECT_EQ(run.err,
              in + QStringLiteral(": 'x' is not a valid integer value\n") + in
                  + QStringLiteral(": Cannot find class TUnknownThing\n") + in
                  + QStringLiteral(": The file ended before the document was complete: "
                                   "only the part up to its end was loaded\n"));
    EXPECT_TRUE(pgx::test::matchesGoldenFile(contents(out), data("faults.expected.pgr")));
}

TEST(PgrtoolRoundtrip, InputThatIsNoTemplateLeavesTheOutputAlone)
{
    QTemporaryDir dir;
    const QString bad = dir.filePath(QStringLiteral("bad.pgr"));
    const QString out = dir.filePath(QStringLiteral("out.pgr"));
    for (const QByteArray &text :
         {QByteArray("plain text"), QByteArray("<?xml?><TpgxReport><a></b>"),
          QByteArray("<?xml?><TNoSuchRoot/>")}) {
        QFile file(bad);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        file.close();
        QFile previous(out);
        ASSERT_TRUE(previous.open(QIODevice::WriteOnly));
        previous.write("old");
        previous.close();
        const ToolResult run = roundtrip({bad, out});
        EXPECT_EQ(run.exitCode, 1) << text.constData();
        EXPECT_FALSE(run.err.isEmpty());
        EXPECT_EQ(contents(out), "old") << text.constData();
    }
    EXPECT_EQ(roundtrip({dir.filePath(QStringLiteral("missing.pgr")), out}).exitCode, 1);
}

TEST(PgrtoolRoundtrip, UsageErrorsExitTwo)
{
    for (const QStringList &args :
         {QStringList{}, QStringList{QStringLiteral("a.pgr")},
          QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")},
          QStringList{QStringLiteral("-x"), QStringLiteral("b")}}) {
        const ToolResult run = roundtrip(args);
        EXPECT_EQ(run.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(run.err.startsWith(QStringLiteral("Usage: pgrtool roundtrip IN OUT")));
    }
}

}   // namespace

// pgrtool layout: the lines, positions and measurements of a text, against
// golden outputs; exit code 2 for options it does not know.
#include <gtest/gtest.h>

#include "PgrtoolRun.h"
#include "support/GoldenFile.h"

namespace {

pgx::test::PgrtoolRun layout(const QStringList &args)
{
    return pgx::test::runPgrtool(QStringList{QStringLiteral("layout")} + args);
}

TEST(PgrtoolLayout, PrintsLinesAndMeasurementsAsTheGoldenFilesShow)
{
    const QString fox = QStringLiteral("The quick brown fox jumps over the lazy dog");
    const struct
    {
        QStringList args;
        const char *golden;
    } cases[] = {
        {{QStringLiteral("--font"), QStringLiteral("Arial,10"), QStringLiteral("--width"),
          QStringLiteral("150"), fox},
         "fox-150.txt"},
        {{QStringLiteral("--width"), QStringLiteral("100"), QStringLiteral("--align"),
          QStringLiteral("block"), fox},
         "fox-100-block.txt"},
        {{QStringLiteral("--font"), QStringLiteral("Arial,10,bold"), QStringLiteral("--auto-width"),
          QStringLiteral("Hello"), QStringLiteral("second line\nthird")},
         "hello-bold.txt"},
        {{QStringLiteral("--font"), QStringLiteral("Courier New,10"), QStringLiteral("--width"),
          QStringLiteral("83"), QStringLiteral("--word-break"),
          QStringLiteral("ааа программирование")},
         "word-break.txt"},
        {{QStringLiteral("--html"), QStringLiteral("--align"), QStringLiteral("right"),
          QStringLiteral("<b>bold</b> and <i>italic</i>")},
         "html-right.txt"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.golden);
        const pgx::test::PgrtoolRun run = layout(c.args);
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_TRUE(pgx::test::matchesGoldenFile(
            run.out, QStringLiteral(PGX_TEST_DATA "/tools/layout/") + QLatin1String(c.golden)));
    }
}

TEST(PgrtoolLayout, LaysOutATemplatesTextObjectWithItsOwnOptions)
{
    const QString invoice = QStringLiteral(PGX_SOURCE_DIR "/examples/invoice.pgr");
    const pgx::test::PgrtoolRun run = layout({invoice, QStringLiteral("SellerMemo")});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(pgx::test::matchesGoldenFile(
        run.out, QStringLiteral(PGX_TEST_DATA "/tools/layout/invoice-seller.txt")));

    const pgx::test::PgrtoolRun missing = layout({invoice, QStringLiteral("NoSuchMemo")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("has no text object \"NoSuchMemo\"")))
        << missing.err.toStdString();
}

TEST(PgrtoolLayout, UsageErrors)
{
    const QStringList cases[] = {
        {QStringLiteral("--frobnicate"), QStringLiteral("x")},
        {QStringLiteral("--font"), QStringLiteral("Arial,huge"), QStringLiteral("x")},
        {QStringLiteral("--width")},
        {QStringLiteral("--width"), QStringLiteral("-5"), QStringLiteral("x")},
        {QStringLiteral("--align"), QStringLiteral("justify"), QStringLiteral("x")},
    };
    for (const QStringList &args : cases) {
        const pgx::test::PgrtoolRun run = layout(args);
        EXPECT_EQ(run.exitCode, 2) << args.join(u' ').toStdString();
        EXPECT_TRUE(run.err.contains(QLatin1String("pgrtool layout:"))) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
}

}   // namespace

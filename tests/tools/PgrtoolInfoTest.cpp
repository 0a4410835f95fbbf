// pgrtool info: the tree and the load errors of a template, against golden
// outputs; exit codes for readable, faulty and unusable input.
#include <gtest/gtest.h>

#include "PgrtoolRun.h"
#include "support/GoldenFile.h"
#include <QtCore/QProcess>

namespace {

using InfoRun = pgx::test::PgrtoolRun;

InfoRun info(const QStringList &args)
{
    return pgx::test::runPgrtool(QStringList{QStringLiteral("info")} + args);
}

TEST(PgrtoolInfo, ListsTreeAndErrorsAsTheGoldenFilesShow)
{
    const struct
    {
        QString input;
        const char *golden;
        int exitCode;
    } cases[] = {
        {QStringLiteral(PGX_TEST_DATA "/../../examples/invoice.pgr"), "invoice.txt", 0},
        {QStringLiteral(PGX_TEST_DATA "/report/templates/all-bands.pgr"), "all-bands.txt", 0},
        {QStringLiteral(PGX_TEST_DATA "/report/info/broken.pgr"), "broken.txt", 1},
        {QStringLiteral(PGX_TEST_DATA "/report/templates/variables-and-styles.pgr"),
         "variables-and-styles.txt", 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.golden);
        const InfoRun run = info({c.input});
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err.toStdString();
        EXPECT_EQ(run.err, QString());
        const QString path
            = QStringLiteral(PGX_TEST_DATA "/report/info/") + QLatin1String(c.golden);
        EXPECT_TRUE(pgx::test::matchesGoldenFile(run.out, path));
    }
}

TEST(PgrtoolInfo, UnusableInputAndUsageErrors)
{
    const InfoRun missing = info({QStringLiteral(PGX_TEST_DATA "/report/info/no-such-file.pgr")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.startsWith("pgrtool info: ")) << missing.err.toStdString();
    EXPECT_TRUE(missing.out.isEmpty());

    for (const QStringList &args :
         {QStringList{}, QStringList{QStringLiteral("a"), QStringLiteral("b")},
          QStringList{QStringLiteral("--bogus")}}) {
        const InfoRun run = info(args);
        EXPECT_EQ(run.exitCode, 2) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(run.err.startsWith("Usage: pgrtool info FILE")) << run.err.toStdString();
    }
}

}   // namespace

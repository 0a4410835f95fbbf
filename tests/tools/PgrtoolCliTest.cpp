#include <gtest/gtest.h>

#include "PgrtoolRun.h"
#include <QtCore/QProcess>

namespace {

using ToolRun = pgx::test::PgrtoolRun;

ToolRun pgrtool(const QStringList &args)
{
    return pgx::test::runPgrtool(args);
}

TEST(PgrtoolCli, VersionAndHelpExitZero)
{
    ToolRun version = pgrtool({QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, QStringLiteral("pgrtool 4.2.16\n"));

    ToolRun help = pgrtool({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith(QStringLiteral("Usage: pgrtool")));
}

TEST(PgrtoolCli, UsageErrorsExitTwo)
{
    EXPECT_EQ(pgrtool({}).exitCode, 2);
    ToolRun unknown = pgrtool({QStringLiteral("frobnicate")});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_TRUE(unknown.err.contains(QStringLiteral("unknown verb 'frobnicate'")));
}

}   // namespace

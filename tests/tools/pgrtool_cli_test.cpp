#include <gtest/gtest.h>

#include <QtCore/QProcess>

namespace {

struct ToolRun {
    int exitCode;
    QString out;
    QString err;
};

ToolRun pgrtool(const QStringList &args)
{
    QProcess process;
    process.start(QStringLiteral(PGRTOOL_PATH), args);
    process.waitForFinished(30000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
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

} // namespace

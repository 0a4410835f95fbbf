// The golden-file comparison: what a failure shows, and the update switch.
#include "support/GoldenFile.h"

#include <gtest/gtest.h>

#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>

namespace pgx::test {
namespace {

TEST(GoldenFile, TheDifferenceShowsOnlyTheChangedLinesWithContext)
{
    const struct
    {
        const char *name;
        QByteArray expected;
        QByteArray actual;
        const char *difference;
    } cases[] = {
        {"equal", "a\nb\n", "a\nb\n", ""},
        {"one line changed", "1\n2\n3\n4\n5\n6\n7\n", "1\n2\n3\nfour\n5\n6\n7\n",
         "golden file line 4, output line 4:\n"
         "     2: 2\n     3: 3\n-    4: 4\n+    4: four\n     5: 5\n     6: 6\n"},
        {"line added at the end", "a\n", "a\nb\n",
         "golden file nothing after line 1, output line 2:\n     1: a\n+    2: b\n"},
        // Line ends are part of a line: CR LF against LF is a change.
        {"line ends", "a\r\nb\r\n", "a\r\nb\n",
         "golden file line 2, output line 2:\n     1: a\\r\n-    2: b\\r\n+    2: b\n"},
        {"final line end missing", "a\n", "a",
         "golden file line 1, output line 1:\n-    1: a\n+    1: a (no line end)\n"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(lineDifference(c.expected, c.actual), QString::fromUtf8(c.difference)) << c.name;
}

TEST(GoldenFile, LongChangesAreCut)
{
    QByteArray expected;
    QByteArray actual;
    for (int i = 0; i < 100; ++i) {
        expected += "old " + QByteArray::number(i) + '\n';
        actual += "new " + QByteArray::number(i) + '\n';
    }
    const QString difference = lineDifference(expected, actual);
    EXPECT_TRUE(
        difference.contains(QLatin1String("-   40: old 39\n- ... 60 more\n+    1: new 0\n")))
        << difference.toStdString();
    EXPECT_FALSE(difference.contains(QLatin1String("old 40")));
}

TEST(GoldenFile, ComparesAndRewritesOnRequest)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.txt"));
    const QByteArray saved = qgetenv("PGX_UPDATE_GOLDEN");
    qunsetenv("PGX_UPDATE_GOLDEN");

    const ::testing::AssertionResult missing = matchesGoldenFile(QByteArray("x\n"), path);
    EXPECT_FALSE(missing);
    EXPECT_NE(std::string(missing.message()).find("no golden file"), std::string::npos);

    qputenv("PGX_UPDATE_GOLDEN", "0");   // "0" is off
    EXPECT_FALSE(matchesGoldenFile(QByteArray("x\n"), path));
    qputenv("PGX_UPDATE_GOLDEN", "1");
    EXPECT_TRUE(matchesGoldenFile(QByteArray("x\n"), path));
    qunsetenv("PGX_UPDATE_GOLDEN");
    EXPECT_TRUE(matchesGoldenFile(QStringLiteral("x\n"), path));

    const ::testing::AssertionResult changed = matchesGoldenFile(QByteArray("y\n"), path);
    EXPECT_FALSE(changed);
    EXPECT_NE(std::string(changed.message()).find("-    1: x\n+    1: y\n"), std::string::npos)
        << changed.message();

    if (!saved.isNull())
        qputenv("PGX_UPDATE_GOLDEN", saved);
}

}   // namespace
}   // namespace pgx::test

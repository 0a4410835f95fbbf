#pragma once

#include <gtest/gtest.h>

#include <QtCore/QByteArray>
#include <QtCore/QString>

namespace pgx::test {

// Compares output with the golden file that keeps it:
//   EXPECT_TRUE(matchesGoldenFile(actual, path));
// When the environment sets PGX_UPDATE_GOLDEN (to anything but "" or "0"),
// the file is first rewritten from `actual`, for a deliberate change of the
// output; review the change with git diff. A mismatch fails with the lines
// that differ, each shown with its number and its line end.
::testing::AssertionResult matchesGoldenFile(const QByteArray &actual, const QString &path);
inline ::testing::AssertionResult matchesGoldenFile(const QString &actual, const QString &path)
{
    return matchesGoldenFile(actual.toUtf8(), path);
}

// PGX_UPDATE_GOLDEN asks the golden comparisons to rewrite their files.
bool goldenUpdateRequested();

// The part of two texts that differs, line by line: the lines they share at
// the start and at the end are left out (but for a little context), the
// rest is shown as "-" expected and "+" actual lines. Empty when they are
// equal.
QString lineDifference(const QByteArray &expected, const QByteArray &actual);

}   // namespace pgx::test

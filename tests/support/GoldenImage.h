#pragma once

#include <gtest/gtest.h>

#include <QtCore/QString>
#include <QtGui/QImage>

namespace pgx::test {

// How far a rendering may stray from its golden image: anti-aliased edges
// and glyph rasterisation differ slightly between library versions, a
// misplaced line or word does not stay within this.
struct ImageTolerance
{
    int channel = 48;            // largest difference of one colour channel still "equal"
    double pixelShare = 0.002;   // share of pixels allowed to differ beyond that
};

// Compares a rendering with the golden PNG that keeps it:
//   EXPECT_TRUE(matchesGoldenImage(image, path));
// Sizes must match. PGX_UPDATE_GOLDEN rewrites the file first, as for
// golden text files. On a mismatch the rendering is written beside the
// temporary folder's copy (named in the message) for a look.
::testing::AssertionResult matchesGoldenImage(const QImage &actual, const QString &path,
                                              ImageTolerance tolerance = {});

// The number of pixels whose colour channels differ by more than `channel`.
qsizetype differingPixelCount(const QImage &a, const QImage &b, int channel);

}   // namespace pgx::test

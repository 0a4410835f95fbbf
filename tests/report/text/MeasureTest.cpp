// The measurements report authors check against: every figure follows from
// the font files' design metrics at 600 dpi. 10 pt is 83 pixels per em
// there; Liberation Sans has 2048 units per em, usWinAscent 1854 and
// usWinDescent 434, so its height is 75 + 18 = 93 pixels and a line
// 93 / 6.25 + 2 (line spacing) = 16.88 units, plus 2 x GapY = 2 for the
// memo.

#include "TextTestSupport.h"

#include "report/text/FaceMetrics.h"

#include <gtest/gtest.h>

namespace pgx::test {
namespace {

using namespace pgx::text;

class MeasureTest : public TextTest
{ };

TEST_F(MeasureTest, FaceHeightsComeFromTheWindowsMetricsOfTheFiles)
{
    struct Case
    {
        const char *name;
        int pixelSize;
        int ascent;
        int descent;
    };
    const Case cases[] = {
        {"Arial", 83, 75, 18},             // 1854 * 83 / 2048 = 75.1, 434 * 83 / 2048 = 17.6
        {"Arial", 13, 12, 3},              // 10 pt on a 96-dpi screen
        {"Times New Roman", 83, 74, 18},   // 1825 and 443 units
        {"Courier New", 83, 69, 25},       // 1705 and 615 units
        {"Tahoma", 83, 77, 20},            // DejaVu Sans: 1901 and 483 units
    };
    for (const Case &c : cases) {
        const FaceMetrics &face
            = FaceMetrics::get(fontFileFor(QString::fromLatin1(c.name), 0), c.pixelSize);
        ASSERT_TRUE(face.isValid()) << c.name;
        EXPECT_EQ(face.ascent(), c.ascent) << c.name << " at " << c.pixelSize;
        EXPECT_EQ(face.descent(), c.descent) << c.name << " at " << c.pixelSize;
    }
}

TEST_F(MeasureTest, MemoHeightAndWidth)
{
    // Advances of "Hello" in Liberation Sans units: H 1479, e 1139, l 455,
    // o 1139 (4667 in all, 189.1 pixels at 83 per em, 30.26 units); bold
    // l 569, o 1251 (5007, 32.47 units). Width adds 2 x GapX = 4.
    struct Case
    {
        const char *what;
        QStringList lines;
        int style;
        double expectedHeight;
        double expectedWidth;
    };
    const Case cases[] = {
        {"one line", {QStringLiteral("Hello")}, 0, 19, 34},   // 16.88 + 2
        {"bold", {QStringLiteral("Hello")}, kBold, 19, 36},
        {"two lines", {QStringLiteral("Hello"), QStringLiteral("Hello")}, 0, 36, 34},   // 33.76 + 2
        {"an empty memo measures its insets", {}, 0, 2, 4},
        {"an empty line is one blank", {QString()}, 0, 19, 8},   // 569 units: 23 pixels, 3.68
    };
    for (const Case &c : cases) {
        TextOptions options;
        options.font.style = c.style;
        options.autoWidth = true;
        EXPECT_EQ(calcHeight(c.lines, options, box(200)), c.expectedHeight) << c.what;
        EXPECT_EQ(calcWidth(c.lines, options, box(200)), c.expectedWidth) << c.what;
    }
}

TEST_F(MeasureTest, InsetsOfFrameAndShadow)
{
    struct Case
    {
        const char *what;
        int sides;
        double frameWidth;
        bool shadow;
        double expectedHeight;
    };
    // 16.88 for the line and 2 for the gaps, then (w - 1) / 2 for a top
    // line, w / 2 for a bottom one, the shadow width (4) for a shadow.
    const Case cases[] = {
        {"no frame", 0, 1, false, 19},
        {"left and right lines only", kFrameLeft | kFrameRight, 3, false, 19},
        {"top line", kFrameTop, 3, false, 20},                              // + 1
        {"top and bottom lines", kFrameTop | kFrameBottom, 3, false, 21},   // + 1 + 1.5 = 21.38
        {"shadow", 0, 1, true, 23},
    };
    for (const Case &c : cases) {
        MemoBox b = box(200);
        b.frameSides = c.sides;
        b.frameWidth = c.frameWidth;
        b.dropShadow = c.shadow;
        EXPECT_EQ(calcHeight({QStringLiteral("Hello")}, TextOptions(), b), c.expectedHeight)
            << c.what;
    }
}

TEST_F(MeasureTest, TheQuickBrownFoxWraps)
{
    // The 150-unit memo's text rectangle is 147 units (918.75 pixels):
    // "The quick brown fox" is 742.7 pixels, with " jumps" 987.2. The
    // 100-unit memo's is 97 units (606.25 pixels): "The quick brown" is
    // 609.0 pixels, "brown fox jumps" 604.3, "over the lazy dog" 632.1.
    const QStringList fox{QStringLiteral("The quick brown fox jumps over the lazy dog")};
    struct Case
    {
        double width;
        QStringList expectedLines;
    };
    const Case cases[] = {
        {150, {QStringLiteral("The quick brown fox"), QStringLiteral("jumps over the lazy dog")}},
        {100,
         {QStringLiteral("The quick"), QStringLiteral("brown fox jumps"),
          QStringLiteral("over the lazy"), QStringLiteral("dog")}},
    };
    for (const Case &c : cases) {
        const TextLayout layout = layOutMemo(fox, TextOptions(), box(c.width));
        EXPECT_EQ(lineTexts(layout), c.expectedLines) << c.width;
    }
    EXPECT_EQ(calcHeight(fox, TextOptions(), box(100)), 70);   // 4 x 16.88 + 2 = 69.52
}

}   // namespace
}   // namespace pgx::test

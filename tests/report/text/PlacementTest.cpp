// Device positions at scale 1 (a 96-dpi screen) unless a case says
// otherwise. Courier New characters are 49.8 layout pixels wide, 7.97 units:
// four of them are 199 pixels, 32 units; the 83-unit memo's text rectangle
// is 80 units wide and starts at 2.

#include "TextTestSupport.h"

#include "report/text/TextPlacement.h"

#include <gtest/gtest.h>
#include <numeric>

namespace pgx::test {
namespace {

using namespace pgx::text;

TextOptions mono(HAlign align = HAlign::Left)
{
    TextOptions o;
    o.font.name = QStringLiteral("Courier New");
    o.hAlign = align;
    return o;
}

TextPlacement place(const QStringList &lines, const TextOptions &o, const MemoBox &b,
                    const DeviceScale &scale = {})
{
    return placeText(layOutMemo(lines, o, b), b, scale);
}

int sum(const std::vector<int> &values)
{
    return std::accumulate(values.begin(), values.end(), 0);
}

TEST_F(TextTest, HorizontalAlignment)
{
    struct Case
    {
        const char *what;
        TextOptions options;
        QStringList lines;
        std::vector<int> firstX;   // x of each line's first character
    };
    TextOptions boldRight = mono(HAlign::Right);
    boldRight.font.style = kBold;
    TextOptions indented = mono();
    indented.paragraphGap = 10;
    TextOptions indentedCentre = mono(HAlign::Center);
    indentedCentre.paragraphGap = 10;
    const Case cases[] = {
        {"left", mono(), {QStringLiteral("aaaa")}, {0}},
        {"right: the line ends at the rectangle's right",
         mono(HAlign::Right),
         {QStringLiteral("aaaa")},
         {48}},
        {"right, one pixel further left for bold", boldRight, {QStringLiteral("aaaa")}, {47}},
        {"centre", mono(HAlign::Center), {QStringLiteral("aaaa")}, {24}},
        {"the paragraph gap indents a paragraph's first line",
         indented,
         {QStringLiteral("aaaa bbbb cccc")},
         {10, 0}},
        {"but not centred text", indentedCentre, {QStringLiteral("aaaa")}, {24}},
    };
    for (const Case &c : cases) {
        const TextPlacement p = place(c.lines, c.options, box(83));
        std::vector<int> firstX;
        for (const PlacedLine &line : p.lines)
            firstX.push_back(line.x.front());
        EXPECT_EQ(firstX, c.firstX) << c.what;
        EXPECT_EQ(p.textRect, (DeviceRect{2, 1, 82, 100})) << c.what;
    }
}

TEST_F(TextTest, JustifiedLinesFillTheWidthButNotAParagraphsLastLine)
{
    // "aaaa bbbb" is 448 layout pixels, 72 device pixels: the 8 left over
    // go to its one blank. "cccc" ends the paragraph and stays left.
    const TextPlacement p = place({QStringLiteral("aaaa bbbb cccc")}, mono(HAlign::Block), box(83));
    ASSERT_EQ(p.lines.size(), 2u);
    EXPECT_EQ(sum(p.lines[0].widths), 80);
    EXPECT_EQ(p.lines[0].widths[4] - p.lines[0].widths[3], 8);
    EXPECT_EQ(p.lines[0].x[5] + p.lines[0].widths[8] * 4, 80);
    EXPECT_EQ(p.lines[1].x[0], 0);
    EXPECT_EQ(sum(p.lines[1].widths), 32);

    // Continued in the next part, the last line is justified as well; with
    // right-to-left reading a paragraph's last line goes right.
    TextOptions open = mono(HAlign::Block);
    open.lastParaBreak = true;
    const TextPlacement continued = place({QStringLiteral("aaaa bbbb cc dd")}, open, box(83));
    EXPECT_EQ(sum(continued.lines[1].widths), 80);
    TextOptions rtl = mono(HAlign::Block);
    rtl.rtlReading = true;
    const TextPlacement right = place({QStringLiteral("aaaa bbbb cccc")}, rtl, box(83));
    EXPECT_EQ(right.lines[1].x[0] + right.lines[1].widths[0], 80);
}

TEST_F(TextTest, RightToLeftLinesRunFromTheirRightEnd)
{
    TextOptions rtl = mono();
    rtl.rtlReading = true;
    const TextPlacement p = place({QStringLiteral("abc")}, rtl, box(83));
    const PlacedLine &line = p.lines.front();
    EXPECT_EQ(line.x[2], 0);
    EXPECT_EQ(line.x[1], line.widths[2]);
    EXPECT_EQ(line.x[0] + line.widths[0], sum(line.widths));
}

TEST_F(TextTest, WysiwygKeepsTheLayoutsWidthsAndHeightsOnEveryDevice)
{
    const QStringList fox{QStringLiteral("The quick brown fox jumps over the lazy dog")};
    const MemoBox b = box(100, 100);
    const TextLayout layout = layOutMemo(fox, TextOptions(), b);
    // A screen at 100 % and 150 %, a 300-dpi and a 600-dpi printer.
    for (double s : {1.0, 1.5, 300 / 96.0, 600 / 96.0}) {
        const TextPlacement p = placeText(layout, b, DeviceScale{s, s, 0, 0});
        ASSERT_EQ(p.lines.size(), 4u);
        for (const PlacedLine &line : p.lines) {
            const LayoutLine &l = layout.lines()[size_t(line.line)];
            EXPECT_EQ(sum(line.widths), int(std::lround(l.width * s / kLayoutFactor))) << s;
            EXPECT_EQ(line.x.front(), 0);
        }
        // Four steps of 16.88 units.
        EXPECT_EQ(p.textHeight, int(std::lround(4 * 16.88 * s))) << s;
        EXPECT_EQ(p.fontPixelSize, int(std::lround(10 * s * 96 / 72))) << s;
    }
    // At 600 dpi the device is the layout.
    const TextPlacement printer = placeText(layout, b, DeviceScale{6.25, 6.25, 0, 0});
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(printer.lines[0].widths[size_t(i)], layout.advance(i));
}

TEST_F(TextTest, WithoutWysiwygTheDevicesOwnAdvances)
{
    TextOptions o = mono();
    o.wysiwyg = false;
    // 13 pixels per em: Liberation Mono's 1229 units are 7.797 pixels, the
    // extents 7.8, 15.6, 23.4, 31.2, 39.0, 46.8, 54.6, 62.4, 70.2, 78.0.
    const TextPlacement p = place({QStringLiteral("aaaaaaaaaa")}, o, box(200));
    EXPECT_EQ(p.lines.front().widths, (std::vector<int>{8, 8, 7, 8, 8, 8, 8, 7, 8, 8}));
}

TEST_F(TextTest, VerticalAlignmentAndLineSteps)
{
    struct Case
    {
        VAlign align;
        int top;
    };
    // One line of 16.88 units, 17 pixels, in a rectangle 99 high.
    const Case cases[] = {{VAlign::Top, 0}, {VAlign::Bottom, 82}, {VAlign::Center, 41}};
    for (const Case &c : cases) {
        TextOptions o;
        o.vAlign = c.align;
        const TextPlacement p = place({QStringLiteral("x")}, o, box(100, 100));
        EXPECT_EQ(p.lines.front().top, c.top) << int(c.align);
    }
    // Line steps of 16.88 spread as 17, 17, 17, 16, 17 ... to keep the sum.
    const TextPlacement p = place({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"),
                                   QStringLiteral("d"), QStringLiteral("e")},
                                  TextOptions(), box(100, 100));
    std::vector<int> tops;
    for (const PlacedLine &line : p.lines)
        tops.push_back(line.top);
    EXPECT_EQ(tops, (std::vector<int>{0, 17, 34, 51, 68}));
}

TEST_F(TextTest, UnderlinesEveryLineStepAcrossTheObject)
{
    TextOptions o;
    o.underlines = true;
    // From GapY - LineSpacing + 1 + h = 16.88 below the top, every 16.88.
    const TextPlacement p = place({QStringLiteral("x")}, o, box(100, 60));
    EXPECT_EQ(p.underlineY, (std::vector<int>{17, 34, 51}));
    o.rotation = 90;
    EXPECT_TRUE(place({QStringLiteral("x")}, o, box(100, 60)).underlineY.empty());
}

TEST_F(TextTest, RotatedTextStartsFromItsCorner)
{
    struct Case
    {
        int rotation;
        QPoint origin;   // where text space's (0, 0) lands
        QPoint along;    // where (10, 0) lands
    };
    // A 100 x 60 memo: text rectangle (2, 1) - (99, 60).
    const Case cases[] = {
        {0, {2, 1}, {12, 1}},     {90, {2, 60}, {2, 50}},   {180, {99, 60}, {89, 60}},
        {270, {99, 1}, {99, 11}}, {-90, {99, 1}, {99, 11}},
    };
    for (const Case &c : cases) {
        TextOptions o;
        o.rotation = c.rotation;
        const TextPlacement p = place({QStringLiteral("x")}, o, box(100, 60));
        EXPECT_EQ(p.toDevice.map(QPointF(0, 0)).toPoint(), c.origin) << c.rotation;
        EXPECT_EQ(p.toDevice.map(QPointF(10, 0)).toPoint(), c.along) << c.rotation;
        const bool turned = c.rotation % 180 != 0;
        EXPECT_EQ(p.width, turned ? 59 : 97) << c.rotation;
    }
}

TEST_F(TextTest, TextRectangles)
{
    struct Case
    {
        const char *what;
        int sides;
        double frameWidth;
        bool shadow;
        DeviceScale scale;
        DeviceRect text;
    };
    const Case cases[] = {
        {"gaps only", 0, 1, false, {}, {2, 1, 99, 60}},
        {"a 1-unit frame takes nothing", 15, 1, false, {}, {2, 1, 99, 60}},
        {"a 3-unit frame takes 1 left and top, 2 right and bottom",
         15,
         3,
         false,
         {},
         {3, 2, 97, 58}},
        {"the shadow is beside the object", 0, 1, true, {}, {2, 1, 95, 56}},
        {"scaled and moved", 0, 1, false, {2, 2, 10, 20}, {14, 22, 207, 139}},
    };
    for (const Case &c : cases) {
        MemoBox b = box(100, 60);
        b.frameSides = c.sides;
        b.frameWidth = c.frameWidth;
        b.dropShadow = c.shadow;
        EXPECT_EQ(b.textRect(c.scale), c.text) << c.what;
    }
}

}   // namespace
}   // namespace pgx::test

// The geometry of views on the device, as data tables: the device box and
// its rounding, frames (sides, corner rules, dashes, double lines, shadow),
// shapes, arrows, lines and picture placement.
#include "report/views/FrameGeometry.h"
#include "report/views/ShapeGeometry.h"

#include <gtest/gtest.h>

#include <QtCore/QTextStream>

using namespace pgx::views;

namespace {

TEST(DeviceBox, RoundsHalfToEvenAndTakesTheShadowOff)
{
    struct Case
    {
        QRectF bounds;
        double scale;
        double offset;
        double shadow;
        DeviceBox expected;
    };
    const Case cases[] = {
        {{10, 20, 100, 50}, 1, 0, 0, {10, 20, 110, 70}},
        {{10, 20, 100, 50}, 2, 5, 0, {25, 45, 225, 145}},
        // 0.5 and 2.5 go to the even neighbours, 1.5 and 3.5 up.
        {{0.5, 1.5, 2, 2}, 1, 0, 0, {0, 2, 2, 4}},
        {{2.5, 3.5, 1, 1}, 1, 0, 0, {2, 4, 4, 4}},
        // The shadow comes off the right and bottom edges, scaled.
        {{0, 0, 100, 50}, 1, 0, 4, {0, 0, 96, 46}},
        {{0, 0, 100, 50}, 1.5, 0, 4, {0, 0, 144, 69}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.bounds.x());
        EXPECT_EQ(deviceBox(c.bounds, c.scale, c.scale, c.offset, c.offset, c.shadow), c.expected);
    }
}

QString describe(const FramePlan &plan)
{
    QString text;
    QTextStream out(&text);
    for (const QRect &r : plan.shadow)
        out << "shadow " << r.left() << ',' << r.top() << '-' << r.right() << ',' << r.bottom()
            << ' ';
    for (const FrameStroke &s : plan.strokes) {
        out << s.from.x() << ',' << s.from.y() << '-' << s.to.x() << ',' << s.to.y() << " w"
            << s.penWidth;
        if (s.style != TpgxFrameLine::fsSolid)
            out << " s" << int(s.style);
        if (s.gapColor != kClTransparent)
            out << " gap" << s.gapColor;
        if (s.color != kClBlack)
            out << " c" << s.color;
        out << ' ';
    }
    return text.trimmed();
}

TEST(FrameGeometry, SidesInOrderWithTheirCornerRules)
{
    using T = TpgxFrame;
    const T::TpgxFrameTypes all = T::ftLeft | T::ftRight | T::ftTop | T::ftBottom;
    struct Case
    {
        const char *what;
        T::TpgxFrameTypes sides;
        double width;
        double scale;
        const char *expected;
    };
    const Case cases[] = {
        // Left, right, top, bottom; the bottom line of a one-pixel pen runs
        // on to cover the corner the right line leaves out.
        {"all sides, width 1", all, 1, 1,
         "10,20-10,70 w1 110,20-110,70 w1 10,20-110,20 w1 10,70-111,70 w1"},
        // A pen of exactly 2 starts the left line a pixel higher.
        {"all sides, width 2", all, 2, 1,
         "10,19-10,70 w2 110,20-110,70 w2 10,20-110,20 w2 10,70-110,70 w2"},
        {"scale 2 doubles the pen: 2", T::ftLeft, 1, 2, "20,39-20,140 w2"},
        {"width 3", T::ftBottom | T::ftTop, 3, 1, "10,20-110,20 w3 10,70-110,70 w3"},
        {"only the right side", T::ftRight, 1, 1, "110,20-110,70 w1"},
        // A pen narrower than a pixel still draws one.
        {"width 0.2", T::ftTop, 0.2, 1, "10,20-110,20 w1"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        TpgxFrame frame;
        frame.setTyp(c.sides);
        frame.setWidth(c.width);
        const DeviceBox box{int(10 * c.scale), int(20 * c.scale), int(110 * c.scale),
                            int(70 * c.scale)};
        EXPECT_EQ(describe(planFrame(frame, frame.typ(), box, c.scale, c.scale, kClTransparent)),
                  QLatin1String(c.expected));
    }
}

TEST(FrameGeometry, NothingIsDrawnWithoutSidesColourOrWidthButTheShadowIs)
{
    struct Case
    {
        const char *what;
        bool sides;
        TColor color;
        double width;
    };
    const Case cases[] = {
        {"no sides", false, kClBlack, 1},
        {"transparent", true, kClTransparent, 1},
        {"width 0", true, kClBlack, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        TpgxFrame frame;
        frame.setTyp(c.sides ? TpgxFrame::ftLeft | TpgxFrame::ftTop : TpgxFrame::TpgxFrameTypes());
        frame.setColor(c.color);
        frame.setWidth(c.width);
        frame.setDropShadow(true);
        frame.setShadowColor(0x808080);
        // The box already has the shadow width taken off (4 units at scale 1).
        const FramePlan plan = planFrame(frame, frame.typ(), {0, 0, 96, 46}, 1, 1, kClTransparent);
        EXPECT_TRUE(plan.strokes.isEmpty());
        EXPECT_EQ(describe(plan), QLatin1String("shadow 96,4-99,50 shadow 4,46-100,49"));
        EXPECT_EQ(plan.shadowColor, 0x808080);
    }
}

TEST(FrameGeometry, EachSideHasItsOwnLineAndATransparentLineIsSkipped)
{
    TpgxFrame frame;
    frame.setTyp(TpgxFrame::ftLeft | TpgxFrame::ftRight | TpgxFrame::ftTop);
    frame.leftLine()->setColor(255);
    frame.rightLine()->setColor(kClTransparent);
    frame.topLine()->setWidth(3);
    EXPECT_EQ(describe(planFrame(frame, frame.typ(), {0, 0, 50, 20}, 1, 1, kClTransparent)),
              QLatin1String("0,0-0,20 w1 c255 0,0-50,0 w3"));
}

TEST(FrameGeometry, DashedLinesAreOnePixelPensSideBySide)
{
    struct Case
    {
        TpgxFrameLine::TpgxFrameStyle style;
        double width;
        TColor fill;
        const char *expected;
    };
    const Case cases[] = {
        {TpgxFrameLine::fsDash, 1, kClTransparent, "0,0-0,20 w1 s1"},
        // Three pens centred on the edge; the gaps show the fill.
        {TpgxFrameLine::fsDot, 3, 0xFFFF,
         "-1,0--1,20 w1 s2 gap65535 0,0-0,20 w1 s2 gap65535 1,0-1,20 w1 s2 gap65535"},
        // Two pens: the corner rule goes by the width, not by one pen.
        {TpgxFrameLine::fsDashDot, 2, kClTransparent, "-1,-1--1,20 w1 s3 0,-1-0,20 w1 s3"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.expected);
        TpgxFrame frame;
        frame.setTyp(TpgxFrame::ftLeft);
        frame.setStyle(c.style);
        frame.setWidth(c.width);
        EXPECT_EQ(describe(planFrame(frame, frame.typ(), {0, 0, 50, 20}, 1, 1, c.fill)),
                  QLatin1String(c.expected));
    }
}

TEST(FrameGeometry, DoubleLinesJoinAtFramedCorners)
{
    TpgxFrame frame;
    frame.setStyle(TpgxFrameLine::fsDouble);
    frame.setWidth(2);
    // Left alone: both lines run the whole edge (end included), two pixels
    // either side of it.
    frame.setTyp(TpgxFrame::ftLeft);
    EXPECT_EQ(describe(planFrame(frame, frame.typ(), {10, 10, 50, 40}, 1, 1, kClTransparent)),
              QLatin1String("8,10-8,41 w2 12,10-12,41 w2"));
    // Left and top: at the shared corner the outer lines run on by the
    // width and the inner ones stop short by it; the fill paints the gap.
    frame.setTyp(TpgxFrame::ftLeft | TpgxFrame::ftTop);
    EXPECT_EQ(describe(planFrame(frame, frame.typ(), {10, 10, 50, 40}, 1, 1, 0xFFFFFF)),
              QLatin1String("10,10-10,41 w2 c16777215 8,8-8,41 w2 12,12-12,41 w2 "
                            "10,10-51,10 w2 c16777215 8,8-51,8 w2 12,12-51,12 w2"));
}

QString describe(const ShapeOutline &o)
{
    QString text;
    QTextStream out(&text);
    static const char *const kinds[] = {"rect", "roundrect", "ellipse", "polygon", "line"};
    out << kinds[o.kind];
    if (o.kind <= ShapeOutline::Ellipse)
        out << ' ' << o.rect.left() << ',' << o.rect.top() << '-' << o.rect.right() << ','
            << o.rect.bottom();
    if (o.kind == ShapeOutline::RoundRect)
        out << " d" << o.cornerDiameter;
    for (const QPoint &p : o.points)
        out << ' ' << p.x() << ',' << p.y();
    return text;
}

TEST(ShapeGeometry, SevenShapesAndTheirDoubleOutlines)
{
    const DeviceBox box{0, 0, 100, 40};
    struct Case
    {
        ShapeKind kind;
        int curve;
        bool doubleFrame;
        const char *expected;
    };
    const Case cases[] = {
        // Rectangles and ellipses cover X..X1 and Y..Y1 (X1 + 1 exclusive).
        {ShapeKind::Rectangle, 0, false, "rect 0,0-100,40"},
        // Curve 0: a quarter of the smaller side; else Curve x 10 scaled.
        {ShapeKind::RoundRectangle, 0, false, "roundrect 0,0-100,40 d10"},
        {ShapeKind::RoundRectangle, 2, false, "roundrect 0,0-100,40 d20"},
        {ShapeKind::Ellipse, 0, false, "ellipse 0,0-100,40"},
        {ShapeKind::Triangle, 0, false, "polygon 100,40 0,40 50,0"},
        {ShapeKind::Diamond, 0, false, "polygon 50,0 100,20 50,40 0,20"},
        {ShapeKind::Diagonal1, 0, false, "line 0,40 100,0"},
        {ShapeKind::Diagonal2, 0, false, "line 0,0 100,40"},
        // Double frames (frame width 2): inset 2x, 3x for the diamond, 4x
        // for the triangle.
        {ShapeKind::Rectangle, 0, true, "rect 0,0-100,40|rect 4,4-96,36"},
        {ShapeKind::Diamond, 0, true,
         "polygon 50,0 100,20 50,40 0,20|polygon 50,6 94,20 50,34 6,20"},
        {ShapeKind::Triangle, 0, true, "polygon 100,40 0,40 50,0|polygon 92,32 8,32 50,8"},
        {ShapeKind::Diagonal2, 0, true, "line 0,0 100,40|line 4,4 96,36"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.expected);
        QStringList parts;
        for (const ShapeOutline &o : planShape(c.kind, box, c.curve, 1, 2, c.doubleFrame))
            parts << describe(o);
        EXPECT_EQ(parts.join(QLatin1Char('|')), QLatin1String(c.expected));
    }
    // A frame too wide for the shape leaves only the outer outline.
    EXPECT_EQ(planShape(ShapeKind::Ellipse, {0, 0, 10, 10}, 0, 1, 4, true).size(), 1);
}

TEST(LineGeometry, NotDiagonalLinesTakeTheirShapeFromTheirSize)
{
    const DeviceBox box{10, 10, 110, 13};
    struct Case
    {
        double w;
        double h;
        bool diagonal;
        bool vertical;
        bool horizontal;
        QPoint end;
    };
    const Case cases[] = {
        {100, 0, false, false, true, {110, 10}},
        {0, 100, false, true, false, {10, 13}},
        // Equal sides count as vertical; a 100 x 3 line is horizontal.
        {5, 5, false, true, false, {10, 13}},
        {100, 3, false, false, true, {110, 10}},
        {100, 3, true, false, false, {110, 13}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.w * 1000 + c.h);
        const LineShape line = planLine(box, c.w, c.h, c.diagonal);
        EXPECT_EQ(line.vertical, c.vertical);
        EXPECT_EQ(line.horizontal, c.horizontal);
        EXPECT_EQ(line.start, QPoint(10, 10));
        EXPECT_EQ(line.end, c.end);
    }
}

TEST(LineGeometry, ArrowHeads)
{
    struct Case
    {
        QPoint tip;
        QPoint tail;
        QPolygon expected;
    };
    const Case cases[] = {
        // Horizontal, pointing right: base 20 back, 5 either side.
        {{100, 50}, {0, 50}, QPolygon{{{100, 50}, {80, 45}, {80, 55}}}},
        // Pointing left.
        {{0, 50}, {100, 50}, QPolygon{{{0, 50}, {20, 55}, {20, 45}}}},
        // Less than 9 pixels from vertical: the base straight above the tip
        // (the line comes from above) or below it.
        {{50, 100}, {42, 0}, QPolygon{{{50, 100}, {45, 80}, {55, 80}}}},
        {{50, 0}, {50, 100}, QPolygon{{{50, 0}, {45, 20}, {55, 20}}}},
        // 45 degrees: 20 along the line is (14.1, 14.1), 5 across (3.5, -3.5).
        {{100, 100}, {0, 0}, QPolygon{{{100, 100}, {89, 82}, {82, 89}}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.tip.x() * 1000 + c.tail.x());
        EXPECT_EQ(arrowHead(c.tip, c.tail, 20, 5), c.expected);
    }
}

TEST(PictureGeometry, StretchedKeepAspectAndCenter)
{
    const DeviceBox box{10, 10, 210, 60};   // 200 x 50
    struct Case
    {
        const char *what;
        QSize size;
        double scale;
        bool stretched;
        bool keepAspect;
        bool center;
        QRect target;
        bool clip;
    };
    const Case cases[] = {
        {"stretched fills the box", {50, 50}, 1, true, false, false, {10, 10, 200, 50}, false},
        // A box twice as wide as the picture's aspect: the height decides.
        {"keep aspect fills the height", {100, 50}, 1, true, true, false, {10, 10, 100, 50}, false},
        {"and centred", {100, 50}, 1, true, true, true, {60, 10, 100, 50}, false},
        {"own size at the scale", {30, 20}, 2, false, true, false, {10, 10, 60, 40}, true},
        // Halves toward zero: (200 - 61) / 2 = 69, (50 - 21) / 2 = 14.
        {"centred, odd remainder", {61, 21}, 1, false, true, true, {79, 24, 61, 21}, true},
        // Larger than the box: the offset is negative, still toward zero.
        {"larger than the box", {301, 71}, 1, false, true, true, {-40, 0, 301, 71}, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const PicturePlacement p
            = placePicture(box, c.size, c.scale, c.scale, c.stretched, c.keepAspect, c.center);
        EXPECT_EQ(p.target, c.target);
        EXPECT_EQ(p.clip, c.clip);
    }
    EXPECT_TRUE(placePicture(box, QSize(), 1, 1, true, true, true).target.isNull());
}

}   // namespace

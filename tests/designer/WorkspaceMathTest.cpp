#include "designer/workspace/BandArrangement.h"
#include "designer/workspace/DragMath.h"

#include <gtest/gtest.h>

namespace pgx::designer {
namespace {

constexpr double kCm = 37.7953;

TEST(DragMath, MovesInWholeGridStepsFromWhereTheDragBegan)
{
    struct Case
    {
        QPointF offset;
        bool grid;
        QPointF expected;
    };
    const Case cases[] = {
        {{0.9 * kCm, 0}, true, {0, 0}},               // not yet a step: held back
        {{1.4 * kCm, 0}, true, {kCm, 0}},             // exactly one step
        {{-1.4 * kCm, 0.2 * kCm}, true, {-kCm, 0}},   // toward zero, both axes
        {{2.99 * kCm, 1.01 * kCm}, true, {2 * kCm, kCm}},
        {{0.9 * kCm, 3}, false, {0.9 * kCm, 3}},   // Alt: free movement
    };
    for (const Case &c : cases) {
        const QPointF got = snappedOffset(c.offset, kCm, kCm, c.grid);
        EXPECT_NEAR(got.x(), c.expected.x(), 1e-9) << c.offset.x();
        EXPECT_NEAR(got.y(), c.expected.y(), 1e-9) << c.offset.y();
    }
}

TEST(DragMath, HandlesOfBoxesAndLines)
{
    const QRectF box(100, 100, 80, 40);
    struct Case
    {
        QPointF at;
        ShapeKind kind;
        bool single;
        Handle expected;
    };
    const Case cases[] = {
        {{100, 100}, ShapeKind::Box, true, Handle::TopLeft},
        {{98, 98}, ShapeKind::Box, true, Handle::TopLeft},   // -2
        {{97.9, 100}, ShapeKind::Box, true, Handle::None},
        {{183, 143}, ShapeKind::Box, true, Handle::BottomRight},   // +3
        {{180, 120}, ShapeKind::Box, true, Handle::Right},
        {{180, 120}, ShapeKind::Box, false, Handle::None},   // several selected: corners only
        {{140, 100}, ShapeKind::Box, true, Handle::Top},
        {{100, 100}, ShapeKind::HorizontalLine, true, Handle::Left},
        {{180, 100}, ShapeKind::HorizontalLine, true, Handle::Right},
        {{180, 140}, ShapeKind::DiagonalLine, true, Handle::BottomRight},
        {{180, 100}, ShapeKind::DiagonalLine, true, Handle::None},
    };
    for (const Case &c : cases)
        EXPECT_EQ(handleAt(box, c.at, c.kind, c.single), c.expected) << c.at.x() << "," << c.at.y();
}

TEST(DragMath, SizingByEachHandle)
{
    const QRectF r(100, 100, 80, 40);
    const QPointF d(10, 5);
    struct Case
    {
        Handle handle;
        QRectF expected;
    };
    const Case cases[] = {
        {Handle::TopLeft, {110, 105, 70, 35}},  {Handle::BottomRight, {100, 100, 90, 45}},
        {Handle::TopRight, {100, 105, 90, 35}}, {Handle::BottomLeft, {110, 100, 70, 45}},
        {Handle::Right, {100, 100, 90, 40}},    {Handle::Left, {110, 100, 70, 40}},
        {Handle::Top, {100, 105, 80, 35}},      {Handle::Bottom, {100, 100, 80, 45}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(sizeByHandle(r, c.handle, d, false).rect, c.expected) << int(c.handle);

    // A line dragged past its start turns around, and the handle with it.
    const SizedRect turned = sizeByHandle(QRectF(100, 50, 30, 0), Handle::Right, {-50, 0}, true);
    EXPECT_EQ(turned.rect, QRectF(80, 50, 20, 0));
    EXPECT_EQ(turned.handle, Handle::Left);
    // Nothing goes left of the page.
    EXPECT_EQ(sizeByHandle(QRectF(5, 0, 20, 20), Handle::Left, {-10, 0}, false).rect.left(), 0);
}

TEST(DragMath, ScalingSeveralObjectsAboutTheirCorner)
{
    const QList<QRectF> starts{{0, 0, 10, 10}, {20, 10, 20, 10}};
    const QRectF bounds(0, 0, 40, 20);
    const QList<QRectF> scaled = scaledRects(starts, bounds, {80, 10});
    EXPECT_EQ(scaled, (QList<QRectF>{{0, 0, 20, 5}, {40, 5, 40, 5}}));
    // Never past the left or top: the objects shrink to nothing, no further.
    EXPECT_EQ(scaledRects(starts, bounds, {-5, -5})[1], QRectF(0, 0, 0, 0));
}

TEST(DragMath, ResizingByKeyNeverGoesNegative)
{
    const QRectF narrow(0, 0, 20, 30);   // narrower than one step
    EXPECT_EQ(resizedByStep(narrow, Direction::Left, kCm, kCm), narrow);
    EXPECT_EQ(resizedByStep(narrow, Direction::Right, kCm, kCm), QRectF(0, 0, 20 + kCm, 30));
    EXPECT_EQ(resizedByStep(QRectF(0, 0, 50, 40), Direction::Up, kCm, kCm).height(), 40 - kCm);
}

TEST(DragMath, ArrowsSelectAlongTheCorridorFirst)
{
    const QRectF selected(100, 100, 50, 20);
    const QList<QRectF> others{
        {300, 105, 20, 10},   // 0: in the corridor to the right, far
        {200, 160, 20, 10},   // 1: ahead and below, near but outside the corridor
        {170, 300, 20, 10},   // 2: far more across than ahead: never to the right
        {10, 100, 20, 20},    // 3: to the left
        {110, 200, 20, 10},   // 4: below
    };
    EXPECT_EQ(nearestInDirection(selected, others, Direction::Right), 0);
    EXPECT_EQ(nearestInDirection(selected, others, Direction::Left), 3);
    EXPECT_EQ(nearestInDirection(selected, others, Direction::Down), 4);
    EXPECT_EQ(nearestInDirection(selected, {others[1], others[2]}, Direction::Right), 0);
    EXPECT_EQ(nearestInDirection(selected, {others[2]}, Direction::Right), -1);
    EXPECT_EQ(nearestInDirection(selected, {}, Direction::Up), -1);
    // Alt+Right pushes it against the one in its corridor.
    EXPECT_EQ(pushedPosition(selected, others, Direction::Right), QPointF(250, 100));
    EXPECT_EQ(pushedPosition(selected, {}, Direction::Right), QPointF(100, 100));
}

TEST(BandArrangement, BandsLineUpByKindThenTop)
{
    using K = BandSlot::Kind;
    // Found in this order on the page: a footer, a master data band just
    // added below it, the title, a child of the data band, the header.
    const QList<BandSlot> bands{
        {K::PageFooter, 300, 20, -1}, {K::Other, 500, 30, -1},      {K::ReportTitle, 90, 40, -1},
        {K::Other, 10, 15, 1},        {K::PageHeader, 200, 25, -1},
    };
    const QList<int> order = bandOrder(bands, false);
    EXPECT_EQ(order, (QList<int>{4, 2, 1, 3, 0}));
    EXPECT_EQ(bandOrder(bands, true), (QList<int>{2, 4, 1, 3, 0}));

    // Centimetre grid: 5 mm captions, 4-pixel gap, 1 mm steps; a centimetre
    // more where the top bands end and the bottom ones begin.
    const double caption = 5 * 3.77953;
    const QList<double> tops = bandTops(bands, order, caption, 4, 3.77953, GridKind::Centimetres);
    EXPECT_NEAR(tops[4], caption, 1e-9);
    const auto next = [&](int previous, double space) {
        return std::round((tops[previous] + bands[previous].height + caption + 4) / 3.77953)
            * 3.77953
            + space;
    };
    EXPECT_NEAR(tops[2], next(4, 0), 1e-6);
    EXPECT_NEAR(tops[1], next(2, kCm), 1e-6);   // the middle begins
    EXPECT_NEAR(tops[3], next(1, 0), 1e-6);     // the child follows its band
    EXPECT_NEAR(tops[0], next(3, kCm), 1e-6);   // the bottom begins
    EXPECT_LT(tops[1], tops[0]);                // the new data band sits above the footer
}

}   // namespace
}   // namespace pgx::designer

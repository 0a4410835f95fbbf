// Objects below grown ones: which objects are whose shift children, and
// where each shift mode puts them.
#include "engine/run/ShiftTree.h"

#include <gtest/gtest.h>

using pgx::engine::ShiftTree;
using Mode = ShiftTree::Mode;

namespace {

struct Object
{
    QRectF rect;
    double growth = 0;
    Mode mode = Mode::Always;
};

// The objects' tops after their growths (heights grown as measured).
QList<double> shifted(const QList<Object> &objects)
{
    QList<QRectF> rects;
    QList<ShiftTree::Item> items;
    for (const Object &o : objects) {
        rects.append(o.rect);
        items.append({o.rect.top(), o.rect.height() + o.growth, o.growth, o.mode});
    }
    ShiftTree(rects, 700).shift(items);
    QList<double> tops;
    for (const ShiftTree::Item &item : items) {
        tops.append(item.top);
        EXPECT_EQ(item.growth, 0);
    }
    return tops;
}

TEST(ShiftTree, ObjectsMoveAsTheirModesSay)
{
    struct Case
    {
        const char *what;
        QList<Object> objects;
        QList<double> tops;
    };
    const Case cases[] = {
        {"one below a grown one moves by its growth",
         {{{0, 0, 100, 20}, 15}, {{0, 30, 100, 20}}},
         {0, 45}},
        {"a third under two side by side moves by both growths",
         {{{0, 0, 100, 20}, 10}, {{110, 0, 100, 20}, 5}, {{0, 30, 210, 20}}},
         {0, 0, 45}},
        {"when overlapped, directly under the band's top: never moved",
         {{{0, 0, 100, 20}, 10, Mode::WhenOverlapped}, {{0, 30, 100, 20}, 0, Mode::WhenOverlapped}},
         {0, 30}},
        {"when overlapped: moved only as far as the grown one reaches",
         {{{0, 0, 100, 20}, 25}, {{0, 30, 100, 20}, 0, Mode::WhenOverlapped}},
         {0, 45}},
        {"when overlapped, not reached: stays",
         {{{0, 0, 100, 20}, 5}, {{0, 30, 100, 20}, 0, Mode::WhenOverlapped}},
         {0, 30}},
        {"don't shift stays, the one below it still moves",
         {{{0, 0, 100, 20}, 10}, {{0, 30, 100, 20}, 0, Mode::DontShift}, {{0, 60, 100, 20}}},
         {0, 30, 70}},
        {"beside a grown one: not below it, stays",
         {{{0, 0, 100, 20}, 30}, {{200, 30, 100, 20}}},
         {0, 30}},
        {"listed in any order, sorted by top",
         {{{0, 60, 100, 20}}, {{0, 30, 100, 20}, 10}, {{0, 0, 100, 20}, 5}},
         {75, 35, 0}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(shifted(c.objects), c.tops);
    }
}

TEST(ShiftTree, NothingStandsBetweenAParentAndItsChild)
{
    // A, then K right under it, then B under K: B belongs to K, not to A;
    // C beside K is A's too, and has no child.
    const QList<QRectF> rects = {QRectF(0, 0, 300, 20), QRectF(0, 30, 100, 20),
                                 QRectF(0, 60, 100, 20), QRectF(200, 30, 100, 20)};
    const ShiftTree tree(rects, 700);
    EXPECT_EQ(tree.topRow(), QList<int>{0});
    EXPECT_EQ(tree.childrenOf(0), (QList<int>{1, 3}));
    EXPECT_EQ(tree.childrenOf(1), QList<int>{2});
    EXPECT_TRUE(tree.childrenOf(3).isEmpty());
}

}   // namespace

// Page rectangles in centred rows, the page under a point, the page a
// scroll position makes current, the pages a view shows, and the zooms
// that fit a page.
#include "preview/layout/TpgxPageList.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace pgx::preview {
namespace {

TpgxPageList laidOut(const QList<QSize> &sizes, int usableWidth)
{
    TpgxPageList list;
    for (QSize size : sizes)
        list.add(size);
    list.layout(usableWidth);
    return list;
}

struct LayoutCase
{
    const char *name;
    QList<QSize> sizes;
    int usableWidth;
    QList<QRect> expected;
    QSize range;
};

class PageLayoutTest : public ::testing::TestWithParam<LayoutCase>
{ };

TEST_P(PageLayoutTest, PlacesPagesInCentredRows)
{
    const LayoutCase &c = GetParam();
    const TpgxPageList list = laidOut(c.sizes, c.usableWidth);
    ASSERT_EQ(list.count(), c.expected.size());
    for (int i = 0; i < list.count(); ++i)
        EXPECT_EQ(list.item(i), c.expected[i]) << "page " << i;
    EXPECT_EQ(list.scrollRange(), c.range);
}

// A row moves right by (usable width - row width + 10) / 2 + 10, the row
// width counting 10 after each page: centred between the two outer gaps.
INSTANTIATE_TEST_SUITE_P(
    Rows, PageLayoutTest,
    ::testing::Values(
        // 10 + 200 + 10 + 200 + 10 fits in 500: one row, 45 free on either
        // side inside the gaps; the third page wraps, 10 below the first row.
        LayoutCase{"TwoShareARowTheThirdWraps",
                   {{200, 300}, {200, 300}, {200, 300}},
                   500,
                   {{55, 10, 200, 300}, {265, 10, 200, 300}, {160, 320, 200, 300}},
                   {430, 630}},
        LayoutCase{"ExactFitStaysInTheRow",
                   {{245, 100}, {245, 100}},
                   500,
                   {{10, 10, 245, 100}, {265, 10, 245, 100}},
                   {520, 120}},
        LayoutCase{"OnePixelMoreWraps",
                   {{246, 100}, {246, 100}},
                   500,
                   {{137, 10, 246, 100}, {137, 120, 246, 100}},
                   {266, 230}},
        LayoutCase{"APageWiderThanTheClientStartsAt10",
                   {{600, 300}, {200, 300}},
                   500,
                   {{10, 10, 600, 300}, {160, 320, 200, 300}},
                   {620, 630}},
        LayoutCase{"TheTallestPageOfARowSetsTheNextRow",
                   {{200, 300}, {200, 100}, {200, 50}},
                   500,
                   {{55, 10, 200, 300}, {265, 10, 200, 100}, {160, 320, 200, 50}},
                   {430, 380}},
        // The last page is the shorter one: the range still holds the taller.
        LayoutCase{"TheRangeHoldsTheTallestPageOfTheLastRow",
                   {{200, 100}, {200, 300}},
                   500,
                   {{55, 10, 200, 100}, {265, 10, 200, 300}},
                   {430, 320}},
        LayoutCase{"ANarrowClientStacksThePages",
                   {{200, 300}, {200, 300}},
                   0,
                   {{10, 10, 200, 300}, {10, 320, 200, 300}},
                   {220, 630}},
        LayoutCase{"EmptyPagesKeepTheirGaps",
                   {{0, 0}, {0, 0}},
                   100,
                   {{55, 10, 0, 0}, {65, 10, 0, 0}},
                   {30, 20}},
        LayoutCase{"NoPages", {}, 500, {}, {0, 0}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(PageListTest, AbsurdSizesDoNotOverflow)
{
    const int huge = std::numeric_limits<int>::max();
    const TpgxPageList list = laidOut({{huge, huge}, {huge, huge}, {-5, -5}}, 500);
    for (int i = 0; i < list.count(); ++i) {
        EXPECT_GE(list.item(i).top(), 0);
        EXPECT_GE(list.item(i).left(), 0);
        EXPECT_GE(list.item(i).width(), 0);
    }
    EXPECT_GT(list.scrollRange().height(), 0);
}

// Three pages of 200 x 300 in 500: (55, 10), (265, 10), (160, 320).
struct PointCase
{
    QPoint point;
    int page;
};

TEST(PageListTest, PageAtFindsThePageUnderThePoint)
{
    const TpgxPageList list = laidOut({{200, 300}, {200, 300}, {200, 300}}, 500);
    const PointCase cases[] = {
        {{55, 10}, 0},    {{254, 309}, 0},  {{255, 10}, -1},   {{54, 10}, -1},  {{265, 100}, 1},
        {{464, 309}, 1},  {{300, 315}, -1}, {{160, 320}, 2},   {{359, 619}, 2}, {{360, 400}, -1},
        {{100, 400}, -1}, {{0, 0}, -1},     {{200, 5000}, -1}, {{-5, -5}, -1},
    };
    for (const PointCase &c : cases)
        EXPECT_EQ(list.pageAt(c.point), c.page) << c.point.x() << "," << c.point.y();
    EXPECT_EQ(TpgxPageList().pageAt({0, 0}), -1);
}

struct ScrollCase
{
    int scrollTop;
    int page;
};

TEST(PageListTest, ScrollingMakesCurrentThePageWithinAFifthOfTheTop)
{
    // One column: tops 10, 320, 630, 940; a fifth of a page is 60.
    const TpgxPageList column = laidOut({{200, 300}, {200, 300}, {200, 300}, {200, 300}}, 300);
    const ScrollCase cases[] = {
        {-100, 0}, {0, 0}, {259, 0}, {260, 1}, {569, 1}, {570, 2}, {880, 3}, {100000, 3},
    };
    for (const ScrollCase &c : cases)
        EXPECT_EQ(column.pageForScroll(c.scrollTop), c.page) << c.scrollTop;

    // Pages sharing a row share their top: the last of them is current.
    const TpgxPageList rows = laidOut({{200, 300}, {200, 300}, {200, 300}}, 500);
    EXPECT_EQ(rows.pageForScroll(0), 1);
    EXPECT_EQ(rows.pageForScroll(260), 2);
    EXPECT_EQ(TpgxPageList().pageForScroll(500), 0);
}

TEST(PageListTest, VisiblePagesAreThoseTheViewMeets)
{
    const TpgxPageList list = laidOut({{200, 300}, {200, 300}, {200, 300}}, 500);
    EXPECT_EQ(list.visiblePages({0, 0, 500, 100}), (QList<int>{0, 1}));
    EXPECT_EQ(list.visiblePages({300, 0, 200, 100}), (QList<int>{1}));
    EXPECT_EQ(list.visiblePages({0, 312, 500, 100}), (QList<int>{2}));
    EXPECT_EQ(list.visiblePages({0, 200, 500, 200}), (QList<int>{0, 1, 2}));
    EXPECT_EQ(list.visiblePages({0, 700, 500, 100}), QList<int>());
    EXPECT_EQ(list.visiblePages(QRect()), QList<int>());
}

TEST(PageListTest, AWideViewAtASmallZoomShowsEveryPageItMeets)
{
    // 50 pages of 10 x 10 to a row of 1000, four rows: all 200 in view.
    const QList<QSize> sizes(200, QSize(10, 10));
    const TpgxPageList list = laidOut(sizes, 1000);
    EXPECT_EQ(list.item(50).top(), 30);
    EXPECT_EQ(list.visiblePages({0, 0, 1100, 1000}).size(), 200);
    // From a view starting inside the second row: its whole row on.
    const QList<int> fromSecondRow = list.visiblePages({0, 35, 1100, 1000});
    ASSERT_EQ(fromSecondRow.size(), 150);
    EXPECT_EQ(fromSecondRow.front(), 50);
}

struct PlaceholderCase
{
    double zoom;
    int usableWidth;
    QRect expected;
};

TEST(PageListTest, ThePlaceholderStandsForAnA4Page)
{
    const PlaceholderCase cases[] = {
        {1, 1000, {103, 10, 794, 1123}},
        {1, 810, {10, 10, 794, 1123}},   // 8 free on either side: not enough
        {1, 500, {10, 10, 794, 1123}},
        {0.5, 500, {51, 5, 397, 562}},
        {0.01, 500, {150, 3, 199, 281}},   // held at 25 %
    };
    for (const PlaceholderCase &c : cases)
        EXPECT_EQ(TpgxPageList::placeholder(c.zoom, c.usableWidth), c.expected) << c.zoom;
}

struct ZoomCase
{
    const char *name;
    double actual;
    double expected;
};

TEST(PageListTest, FittingZoomsStayWithinTheBounds)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const ZoomCase cases[] = {
        {"whole page fits", wholePageZoom(1149, 1123), 1.0},
        {"whole page, half", wholePageZoom(587, 1122), 0.5},
        {"whole page, tiny window", wholePageZoom(10, 1123), kMinZoom},
        {"whole page, zero page", wholePageZoom(500, 0), kMinZoom},
        {"whole page, NaN page", wholePageZoom(500, nan), kMinZoom},
        {"whole page, one-pixel page", wholePageZoom(100000, 1), kMaxZoom},
        {"page width fits", pageWidthZoom(840, 20, 794), 1.0},
        {"page width, tiny window", pageWidthZoom(30, 20, 794), kMinZoom},
        {"page width, zero page", pageWidthZoom(800, 20, 0), kMinZoom},
        {"bounded NaN", boundedZoom(nan), 1.0},
        {"bounded small", boundedZoom(0.1), kMinZoom},
        {"bounded large", boundedZoom(100), kMaxZoom},
        {"bounded infinity", boundedZoom(inf), kMaxZoom},
    };
    for (const ZoomCase &c : cases)
        EXPECT_DOUBLE_EQ(c.actual, c.expected) << c.name;
}

}   // namespace
}   // namespace pgx::preview

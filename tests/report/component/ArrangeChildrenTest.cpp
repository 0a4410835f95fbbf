// ArrangeChildren: each case lists the child views in Objects order with
// their alignment and bounds, and the bounds they must end with.
#include "SampleComponents.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using A = TpgxComponent::TpgxAlign;

struct Box
{
    double left, top, width, height;
};

struct Child
{
    A align;
    Box before;
    Box after;
};

struct ArrangeCase
{
    const char *name;
    Box parent;
    std::vector<Child> children;
};

const ArrangeCase kCases[] = {
    {"two baLeft views in one row: the second follows the first",
     {0, 0, 500, 100},
     {{A::baLeft, {50, 0, 100, 20}, {0, 0, 100, 20}},
      {A::baLeft, {300, 0, 80, 20}, {100, 0, 80, 20}}}},
    {"a baWidth view between baLeft and baRight fills the gap",
     {0, 0, 500, 100},
     {{A::baLeft, {40, 0, 100, 20}, {0, 0, 100, 20}},
      {A::baWidth, {200, 0, 50, 20}, {100, 0, 340, 20}},
      {A::baRight, {400, 0, 60, 20}, {440, 0, 60, 20}}}},
    {"views in different rows do not push each other (touching edges)",
     {0, 0, 500, 100},
     {{A::baLeft, {50, 0, 100, 20}, {0, 0, 100, 20}},
      {A::baLeft, {300, 20, 80, 20}, {0, 20, 80, 20}}}},
    {"baRight views stack from the right edge",
     {0, 0, 500, 100},
     {{A::baRight, {100, 0, 50, 20}, {370, 0, 50, 20}},
      {A::baRight, {300, 0, 80, 20}, {420, 0, 80, 20}}}},
    {"baWidth with nothing beside it spans the parent",
     {0, 0, 500, 100},
     {{A::baWidth, {120, 10, 30, 20}, {0, 10, 500, 20}}}},
    {"centre, bottom and client",
     {0, 0, 500, 100},
     {{A::baCenter, {7, 3, 100, 20}, {200, 3, 100, 20}},
      {A::baBottom, {7, 3, 100, 20}, {7, 80, 100, 20}},
      {A::baClient, {7, 3, 100, 20}, {0, 0, 500, 100}}}},
    {"negative positions sort numerically: -50 comes before -5",
     {0, 0, 500, 100},
     {{A::baLeft, {-5, 0, 30, 20}, {40, 0, 30, 20}},
      {A::baLeft, {-50, 0, 40, 20}, {0, 0, 40, 20}}}},
    {"large positions sort numerically: 150 comes before 2e9",
     {0, 0, 500, 100},
     {{A::baLeft, {2e9, 0, 30, 20}, {60, 0, 30, 20}},
      {A::baLeft, {150, 0, 60, 20}, {0, 0, 60, 20}}}},
    {"equal positions keep their Objects order",
     {0, 0, 500, 100},
     {{A::baLeft, {10, 0, 30, 20}, {0, 0, 30, 20}}, {A::baLeft, {10, 0, 50, 20}, {30, 0, 50, 20}}}},
    {"baWidth skips left neighbours that start right of it",
     {0, 0, 500, 100},
     {{A::baNone, {300, 0, 100, 20}, {300, 0, 100, 20}},
      {A::baWidth, {150, 0, 50, 20}, {0, 0, 300, 20}}}},
    {"baWidth skips right neighbours that end left of its right edge",
     {0, 0, 500, 100},
     // The left pass moves it to 0 first, so its right edge is 300 then.
     {{A::baWidth, {100, 0, 300, 20}, {0, 0, 500, 20}},
      {A::baNone, {150, 0, 100, 20}, {150, 0, 100, 20}}}},
    {"unaligned views stay where they are but count as neighbours",
     {0, 0, 500, 100},
     {{A::baNone, {20, 0, 100, 20}, {20, 0, 100, 20}},
      {A::baLeft, {200, 0, 50, 20}, {120, 0, 50, 20}}}},
};

class ArrangeChildrenTest : public ::testing::TestWithParam<ArrangeCase>
{ };

TEST_P(ArrangeChildrenTest, PlacesViews)
{
    const ArrangeCase &c = GetParam();
    TpgxSampleBand parent;
    parent.setBounds(c.parent.left, c.parent.top, c.parent.width, c.parent.height);
    std::vector<TpgxSampleView *> views;
    for (const Child &child : c.children) {
        auto *v = new TpgxSampleView(&parent);
        v->setAlign(child.align);
        v->setBounds(child.before.left, child.before.top, child.before.width, child.before.height);
        views.push_back(v);
    }
    parent.arrangeChildren();
    for (size_t i = 0; i < views.size(); ++i) {
        const Box &e = c.children[i].after;
        SCOPED_TRACE(i);
        EXPECT_DOUBLE_EQ(views[i]->left(), e.left);
        EXPECT_DOUBLE_EQ(views[i]->top(), e.top);
        EXPECT_DOUBLE_EQ(views[i]->width(), e.width);
        EXPECT_DOUBLE_EQ(views[i]->height(), e.height);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ArrangeChildrenTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<ArrangeCase> &info) {
                             return "case" + std::to_string(info.index);
                         });

TEST(ArrangeChildren, ComponentsThatAreNotViewsAreIgnored)
{
    TpgxSampleBand parent;
    parent.setBounds(0, 0, 500, 100);
    auto *plain = new TpgxReportComponent(&parent);
    plain->setBounds(0, 0, 100, 20);
    auto *v = new TpgxSampleView(&parent);
    v->setAlign(TpgxComponent::baLeft);
    v->setBounds(200, 0, 50, 20);
    parent.arrangeChildren();
    EXPECT_EQ(v->left(), 0);
    EXPECT_EQ(plain->left(), 0);
}

TEST(ArrangeChildren, LockedViewsInTheDesignerStay)
{
    TpgxSampleBand parent;
    parent.setBounds(0, 0, 500, 100);
    auto *v = new TpgxSampleView(&parent);
    v->setAlign(TpgxComponent::baClient);
    v->setBounds(10, 10, 50, 20);
    v->setRestrictions(TpgxComponent::rfDontMove);
    v->setIsDesigning(true);
    parent.arrangeChildren();
    EXPECT_EQ(QRectF(v->left(), v->top(), v->width(), v->height()), QRectF(10, 10, 500, 100));
}

}   // namespace

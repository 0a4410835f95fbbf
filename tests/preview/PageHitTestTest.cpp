#include "../report/views/ViewTestSupport.h"

#include "preview/layout/PageHitTest.h"
#include "report/bands/Bands.h"
#include "report/component/Units.h"
#include "report/views/TpgxMemoView.h"

#include <gtest/gtest.h>

namespace pgx::test {
namespace {

TEST(PageHitTest, FindsTheTopmostViewAndItsDrillDownHeaderWithTheMarginsAsDrawn)
{
    ViewReport r;
    r.page->setLeftMargin(10);
    r.page->setRightMargin(30);
    r.page->setTopMargin(10);
    r.page->setMirrorMargins(true);
    auto *header = new TpgxGroupHeader(r.page);
    header->setName(QStringLiteral("GroupHeader1"));
    header->setBounds(0, 0, 700, 40);
    header->setDrillDown(true);
    auto *memo = new TpgxMemoView(header);
    memo->setName(QStringLiteral("Memo1"));
    memo->setBounds(100, 10, 50, 20);
    memo->setUrl(QStringLiteral("@2"));
    const double top = 10 * kPg01cm;
    struct Case
    {
        int pageIndex;
        double x;
        bool onMemo;
    };
    // Odd page numbers (index 0) keep the left margin of 10 mm; even ones
    // take the right margin of 30 mm on the left.
    const Case cases[] = {
        {0, 10 * kPg01cm + 120, true},
        {1, 10 * kPg01cm + 120, false},
        {1, 30 * kPg01cm + 120, true},
        {0, 10 * kPg01cm + 90, false},
    };
    for (const Case &c : cases) {
        const preview::PageHit hit = preview::hitTest(*r.page, c.pageIndex, QPointF(c.x, top + 15));
        EXPECT_EQ(hit.view == memo, c.onMemo) << c.pageIndex << " " << c.x;
        EXPECT_EQ(hit.drillHeader, header) << c.pageIndex << " " << c.x;
    }
    EXPECT_EQ(preview::hitTest(*r.page, 0, QPointF(5, 5)).drillHeader, nullptr);   // the margin
}

}   // namespace
}   // namespace pgx::test

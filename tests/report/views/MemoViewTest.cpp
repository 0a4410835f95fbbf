// Text objects: lines and their breaks, Rotation, styles, the prepared-page
// macros, the frame extras for measuring and the difference text.
#include "report/root/TpgxVariables.h"
#include "report/styles/TpgxStyles.h"
#include "report/views/MemoLines.h"
#include "report/views/TpgxMemoView.h"
#include "report/views/ViewTestSupport.h"

#include <gtest/gtest.h>

using pgx::test::ViewReport;

namespace {

TEST(memoText, LineBreaksCountOnceEach)
{
    struct Case
    {
        QString text;
        QStringList lines;
    };
    const Case cases[] = {
        {QStringLiteral("a\r\nb\nc") + QChar(0x2028) + QStringLiteral("d"), {"a", "b", "c", "d"}},
        // A final break adds no empty line; a text without one keeps its last.
        {QStringLiteral("a\r\n"), {"a"}},
        {QStringLiteral("a"), {"a"}},
        {QString(), {}},
        // CR LF is one break, LF CR two; empty lines stay.
        {QStringLiteral("a\n\rb"), {"a", "", "b"}},
        {QStringLiteral("\r\n\r\n"), {"", ""}},
        {QStringLiteral("a\rb\r"), {"a", "b"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(pgx::views::splitMemoLines(c.text), c.lines);
    }
    EXPECT_EQ(pgx::views::joinMemoLines({"a", "b"}), QStringLiteral("a\r\nb\r\n"));
}

TEST(MemoView, TextIsEveryLineFollowedByCrLf)
{
    TpgxMemoView memo;
    memo.setText(QStringLiteral("a\r\nb\nc") + QChar(0x2028) + QStringLiteral("d"));
    EXPECT_EQ(memo.memo(), (QStringList{"a", "b", "c", "d"}));
    EXPECT_EQ(memo.text(), QStringLiteral("a\r\nb\r\nc\r\nd\r\n"));
    EXPECT_EQ(memo.memoText(), memo.text());
}

TEST(MemoView, RotationKeepsTheSignedRemainder)
{
    const int cases[][2] = {{450, 90}, {-450, -90}, {360, 0}, {90, 90}, {-30, -30}, {719, 359}};
    TpgxMemoView memo;
    for (const auto &c : cases) {
        memo.setRotation(c[0]);
        EXPECT_EQ(memo.rotation(), c[1]) << c[0];
    }
}

TEST(MemoView, MacrosAreReplacedEverywhereWithoutRegardToCase)
{
    pgxGlobalVariables().setValue(QStringLiteral("CopyName2"), QStringLiteral("Copy"));
    TpgxMemoView memo;
    memo.setText(QStringLiteral("[TotalPages#]/[TOTALPAGES#] [copyname#] [COPYNAME#]"));
    memo.applyPreparedPageMacros(7, 2);
    EXPECT_EQ(memo.text(), QStringLiteral("7/7 Copy Copy\r\n"));

    // No such variable: empty.
    memo.setText(QStringLiteral("<[COPYNAME#]>"));
    memo.applyPreparedPageMacros(7, 5);
    EXPECT_EQ(memo.text(), QStringLiteral("<>\r\n"));

    memo.setText(QStringLiteral("[TOTALPAGES] of [totalpages]"));
    memo.setTotalPages(12);
    EXPECT_EQ(memo.plainText(), QStringLiteral("12 of 12\r\n"));

    // Without expressions nothing is replaced.
    memo.setAllowExpressions(false);
    EXPECT_EQ(memo.plainText(), QStringLiteral("[TOTALPAGES] of [totalpages]\r\n"));
    memo.setText(QStringLiteral("[TOTALPAGES#]"));
    memo.applyPreparedPageMacros(3, 1);
    EXPECT_EQ(memo.text(), QStringLiteral("[TOTALPAGES#]\r\n"));
}

TEST(MemoView, SetStyleAppliesTheReportsStyle)
{
    ViewReport r;
    TpgxStyleItem *style = r.report.styles()->add();
    style->setName(QStringLiteral("Header"));
    style->setColor(0xFF00);
    style->font()->setName(QStringLiteral("Courier New"));
    style->frame()->setTyp(TpgxFrame::ftBottom);
    style->frame()->setColor(255);

    auto *memo = new TpgxMemoView(r.band);
    EXPECT_TRUE(memo->parentFont());
    memo->setStyle(QStringLiteral("header"));
    EXPECT_EQ(memo->style(), QStringLiteral("header"));
    EXPECT_EQ(memo->color(), 0xFF00);
    EXPECT_EQ(memo->font()->name(), QStringLiteral("Courier New"));
    EXPECT_FALSE(memo->parentFont());
    EXPECT_EQ(memo->frame()->typ(), TpgxFrame::TpgxFrameTypes(TpgxFrame::ftBottom));
    EXPECT_EQ(memo->frame()->bottomLine()->color(), 255);

    // An unknown style only stores the name; outside a report likewise.
    memo->setColor(1);
    memo->setStyle(QStringLiteral("Nothing"));
    EXPECT_EQ(memo->color(), 1);
    TpgxMemoView loose;
    loose.setStyle(QStringLiteral("Header"));
    EXPECT_EQ(loose.color(), kClTransparent);
}

TEST(MemoView, FrameExtrasForMeasuring)
{
    struct Case
    {
        TpgxFrame::TpgxFrameTypes sides;
        bool shadow;
        double height;
        double width;
    };
    // Gaps 2 and 1, frame width 3, shadow 4.
    const Case cases[] = {
        {{}, false, 2, 4},
        {TpgxFrame::ftTop, false, 3, 4},
        {TpgxFrame::ftTop | TpgxFrame::ftBottom, false, 4.5, 4},
        {TpgxFrame::ftLeft | TpgxFrame::ftRight, true, 6, 10.5},
    };
    for (const Case &c : cases) {
        TpgxMemoView memo;
        memo.frame()->setWidth(3);
        memo.frame()->setTyp(c.sides);
        memo.frame()->setDropShadow(c.shadow);
        EXPECT_DOUBLE_EQ(memo.frameExtraHeight(), c.height) << c.sides.toInt();
        EXPECT_DOUBLE_EQ(memo.frameExtraWidth(), c.width) << c.sides.toInt();
    }
}

TEST(MemoView, BeforePrintKeepsTheTextOfAnUnboundObject)
{
    TpgxMemoView memo;
    memo.setText(QStringLiteral("[Total]"));
    memo.setTagStr(QStringLiteral("[Tag]"));
    memo.beforePrint();
    memo.setText(QStringLiteral("42"));
    memo.setTagStr(QStringLiteral("t"));
    memo.afterPrint();
    EXPECT_EQ(memo.text(), QStringLiteral("[Total]\r\n"));
    EXPECT_EQ(memo.tagStr(), QStringLiteral("[Tag]"));
}

TEST(MemoDiffAttrs, TextAlwaysAndDifferencesInOrder)
{
    TpgxMemoView a;
    TpgxMemoView b;
    // Identical objects still carry the text.
    EXPECT_EQ(a.diffAttrs(&b), QStringLiteral(" u=\"\""));
    a.setText(QStringLiteral("one"));
    EXPECT_EQ(a.diffAttrs(&b), QStringLiteral(" u=\"one\""));
    a.setText(QStringLiteral("x\"y\r\nz\r\n"));
    EXPECT_EQ(a.diffAttrs(&b), QStringLiteral(" u=\"x&#34;y&#13;&#10;z\""));

    a.setText(QStringLiteral("t"));
    a.setAutoWidth(true);
    a.setGapX(3);
    a.setHAlign(TpgxCustomMemoView::haCenter);
    a.highlight()->setActive(true);
    a.setRotation(90);
    a.setVAlign(TpgxCustomMemoView::vaBottom);
    a.setWordWrap(false);
    a.setColor(255);
    a.frame()->setColor(0xFF);
    a.frame()->setTyp(TpgxFrame::ftLeft | TpgxFrame::ftTop);
    a.frame()->topLine()->setWidth(2);
    a.setTagStr(QStringLiteral("tag"));
    EXPECT_EQ(a.diffAttrs(&b),
              QStringLiteral(" Color=\"255\" Frame.Color=\"255\" Frame.Typ=\"5\""
                             " Frame.TopLine.Width=\"2\" TagStr=\"tag\" AutoWidth=\"1\""
                             " GapX=\"3\" HAlign=\"2\" Highlight.Active=\"1\" u=\"t\""
                             " Rotation=\"90\" VAlign=\"1\" WordWrap=\"0\""));
}

TEST(MemoDiffAttrs, FrameLinesCountAgainstTheFrameWhenItChanged)
{
    TpgxMemoView a;
    TpgxMemoView b;
    // The frame's colour changed and every line follows it: only the frame.
    a.frame()->setColor(255);
    EXPECT_EQ(a.diffAttrs(&b), QStringLiteral(" Frame.Color=\"255\" u=\"\""));
    // One line differs from its frame.
    a.frame()->rightLine()->setColor(0xFF00);
    EXPECT_EQ(a.diffAttrs(&b),
              QStringLiteral(" Frame.Color=\"255\" Frame.RightLine.Color=\"65280\" u=\"\""));
    // The frame as before, but one line differs from the other's line.
    TpgxMemoView c;
    c.frame()->leftLine()->setStyle(TpgxFrameLine::fsDot);
    EXPECT_EQ(c.diffAttrs(&b), QStringLiteral(" Frame.LeftLine.Style=\"2\" u=\"\""));
    EXPECT_EQ(b.diffAttrs(&c), QStringLiteral(" Frame.LeftLine.Style=\"0\" u=\"\""));
}

TEST(MemoDiffAttrs, ParagraphBreaksMoveOnToTheNextPart)
{
    TpgxMemoView a;
    TpgxMemoView b;
    a.setLastParaBreak(true);
    EXPECT_EQ(a.diffAttrs(&b), QStringLiteral(" u=\"\" LastParaBreak=\"1\""));
    EXPECT_TRUE(a.firstParaBreak());
    EXPECT_FALSE(a.lastParaBreak());
    EXPECT_EQ(a.diffAttrs(&b), QStringLiteral(" u=\"\" FirstParaBreak=\"1\""));
    EXPECT_FALSE(a.firstParaBreak());
}

TEST(MemoDiffAttrs, AutoWidthLeavesTheWidthOut)
{
    TpgxMemoView a;
    TpgxMemoView b;
    a.setWidth(50);
    EXPECT_EQ(a.diffAttrs(&b), QStringLiteral(" w=\"50\" u=\"\""));
    a.setAutoWidth(true);
    b.setAutoWidth(true);
    EXPECT_EQ(a.diffAttrs(&b), QStringLiteral(" u=\"\""));
}

}   // namespace

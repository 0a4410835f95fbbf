// Text objects on the one text path: what they measure, how they split
// across pages and what they draw, at 100% and 200%.
#include "report/data/TpgxDataSet.h"
#include "report/views/TpgxMemoView.h"
#include "report/views/ViewTestSupport.h"
#include "support/GoldenImage.h"

#include <gtest/gtest.h>

#include <QtGui/QPainter>

using namespace pgx::test;

namespace {

const QString kFox = QStringLiteral("The quick brown fox jumps over the lazy dog");

QString goldenImage(const char *name)
{
    return QStringLiteral(PGX_TEST_DATA "/report/views/text/") + QLatin1String(name);
}

TEST(MemoText, MeasuresWithItsOwnFontAndBox)
{
    ensureGuiApplication();
    ViewReport r;
    auto *memo = place<TpgxMemoView>(r.band, 0, 0, 150, 100);
    memo->setText(QStringLiteral("Hello"));
    EXPECT_EQ(memo->calcHeight(), 19);   // 10 pt Liberation Sans, one line
    memo->setText(kFox);
    EXPECT_EQ(memo->calcHeight(), 36);   // wraps after "fox"
    memo->setWidth(100);
    EXPECT_EQ(memo->calcHeight(), 70);   // four lines
    // A bigger font measures bigger; the highlight's font while it is active.
    memo->highlight()->font()->setSize(20);
    const double normal = memo->calcHeight();
    memo->highlight()->setActive(true);
    EXPECT_GT(memo->calcHeight(), normal);
    memo->setText(QString());
    memo->highlight()->setActive(false);
    EXPECT_EQ(memo->calcHeight(), 2);   // the insets only
    EXPECT_EQ(memo->calcWidth(), 4);
}

TEST(MemoText, SplitsAcrossPartsAndContinuesTheParagraph)
{
    ensureGuiApplication();
    ViewReport r;
    auto *memo = place<TpgxMemoView>(r.band, 0, 0, 100, 40);   // room for two lines
    memo->setText(kFox);
    memo->setHAlign(TpgxCustomMemoView::haBlock);
    memo->preparePart();
    EXPECT_EQ(memo->remainingText(), kFox + QLatin1String("\r\n"));

    const double empty = memo->drawNextPart();
    // "The quick" and "brown fox jumps" fit, "over the lazy dog" not.
    EXPECT_EQ(memo->memo(), QStringList{QStringLiteral("The quick brown fox jumps")});
    EXPECT_EQ(memo->remainingText(), QStringLiteral("over the lazy dog"));
    EXPECT_TRUE(memo->lastParaBreak());   // the paragraph goes on
    // The text rectangle is 39 high (one past the gaps), a line 16.88.
    EXPECT_NEAR(empty, 39 + 1 - 2 * 16.88, 0.01);

    // The next part starts inside the paragraph: no first-line indent.
    memo->setFirstParaBreak(memo->lastParaBreak());
    memo->setLastParaBreak(false);
    memo->setHeight(100);
    memo->drawNextPart();
    EXPECT_EQ(memo->memo(), QStringList{QStringLiteral("over the lazy dog")});
    EXPECT_TRUE(memo->remainingText().isEmpty());
    EXPECT_FALSE(memo->lastParaBreak());

    // Not even one line fits: the whole height is empty.
    memo->setText(kFox);
    memo->preparePart();
    memo->setHeight(10);
    EXPECT_EQ(memo->drawNextPart(), 10);
}

TEST(MemoText, AutoWidthKeepsTheAlignedEdgeWhereItWas)
{
    ensureGuiApplication();
    struct Case
    {
        TpgxCustomMemoView::TpgxHAlign align;
        double left;   // after drawing, for a text 34 units wide at 100-300
    };
    const Case cases[] = {
        {TpgxCustomMemoView::haLeft, 100},
        {TpgxCustomMemoView::haRight, 300 - 34},
        {TpgxCustomMemoView::haCenter, 200 - 17},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(int(c.align));
        ViewReport r;
        auto *memo = place<TpgxMemoView>(r.band, 100, 0, 200, 20);
        memo->setText(QStringLiteral("Hello"));
        memo->setAutoWidth(true);
        memo->setHAlign(c.align);
        const double width = memo->calcWidth();
        EXPECT_EQ(width, 34);   // "Hello", the gaps included
        QImage image(400, 100, QImage::Format_RGB32);
        QPainter painter(&image);
        memo->draw(&painter, 1, 1, 0, 0);
        EXPECT_EQ(memo->width(), width);
        EXPECT_EQ(memo->left(), c.left);
    }
}

TEST(MemoText, InTheDesignerABoundObjectShowsItsFieldReference)
{
    ensureGuiApplication();
    ViewReport r;
    auto *source = new TpgxUserDataSet(&r.report);
    source->setUserName(QStringLiteral("Customers"));
    auto *memo = place<TpgxMemoView>(r.band, 0, 0, 300, 20);
    memo->setText(QStringLiteral("not shown"));
    memo->setDataSet(source);
    memo->setDataField(QStringLiteral("Name"));
    const double running = memo->calcWidth();
    memo->setIsDesigning(true);
    EXPECT_GT(memo->calcWidth(), running);   // [Customers."Name"] is longer than the text
}

// One band of text objects as a user sees them: alignments, justified
// text, a rotated text, tags, a highlight, underlines and a frame. The
// golden images are the reference for how text looks; they are compared
// within a small tolerance, since anti-aliasing may differ a little
// between library versions.
void fillTextBand(TpgxBand *band)
{
    auto memo = [&](double l, double t, double w, double h, const QString &text) {
        auto *m = place<TpgxMemoView>(band, l, t, w, h);
        m->setText(text);
        m->frame()->setTyp(TpgxFrame::ftLeft | TpgxFrame::ftRight | TpgxFrame::ftTop
                           | TpgxFrame::ftBottom);
        m->frame()->setColor(0xC0C0C0);
        return m;
    };
    memo(5, 5, 120, 40, kFox);
    memo(130, 5, 120, 40, kFox)->setHAlign(TpgxCustomMemoView::haRight);
    memo(255, 5, 120, 40, kFox)->setHAlign(TpgxCustomMemoView::haCenter);
    auto *block = memo(5, 50, 120, 60, kFox + QLatin1Char(' ') + kFox);
    block->setHAlign(TpgxCustomMemoView::haBlock);
    auto *rotated = memo(130, 50, 30, 120, QStringLiteral("Rotated 90"));
    rotated->setRotation(90);
    rotated->setVAlign(TpgxCustomMemoView::vaCenter);
    auto *tags = memo(165, 50, 210, 25,
                      QStringLiteral("<b>bold</b>, <i>italic</i>, <u>under</u>, "
                                     "<font color=\"#FF0000\">red</font>, x<sup>2</sup>"));
    tags->setAllowHtmlTags(true);
    auto *lit = memo(165, 80, 210, 20, QStringLiteral("Highlighted: -42.00"));
    lit->highlight()->setActive(true);
    lit->highlight()->setColor(0xCCE0FF);   // light orange, 0x00BBGGRR
    auto *lined = memo(165, 105, 210, 60, QStringLiteral("On ruled lines\r\nof a form"));
    lined->setUnderlines(true);
    auto *big = memo(5, 115, 120, 50, QStringLiteral("Times 14, centred"));
    big->font()->setName(QStringLiteral("Times New Roman"));
    big->font()->setSize(14);
    big->setParentFont(false);
    big->setHAlign(TpgxCustomMemoView::haCenter);
    big->setVAlign(TpgxCustomMemoView::vaCenter);
}

TEST(MemoText, DrawsLikeItsGoldenImagesAtEveryZoom)
{
    ensureGuiApplication();
    for (const int scale : {1, 2}) {
        SCOPED_TRACE(scale);
        ViewReport r;
        r.band->setTop(0);
        fillTextBand(r.band);
        QImage image(380 * scale, 170 * scale, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        for (TpgxComponent *object : r.band->objects())
            static_cast<TpgxView *>(object)->draw(&painter, scale, scale, 0, 0);
        painter.end();
        EXPECT_TRUE(matchesGoldenImage(
            image, goldenImage(scale == 1 ? "text-objects-100.png" : "text-objects-200.png")));
    }
}

}   // namespace

// Views in templates: every view class with values off its defaults is
// written in the shape of the golden file and read back byte for byte;
// frame lines are written only where they leave their frame; a subreport
// and its page point at each other.
#include "meta/ClassRegistry.h"
#include "report/views/SamplePictures.h"
#include "report/views/TpgxLineView.h"
#include "report/views/TpgxMemoView.h"
#include "report/views/TpgxPictureView.h"
#include "report/views/TpgxShapeView.h"
#include "report/views/TpgxSubreport.h"
#include "report/views/ViewTestSupport.h"
#include "support/GoldenFile.h"

#include <gtest/gtest.h>

#include <QtCore/QBuffer>
#include <QtCore/QFile>

using namespace pgx::test;

namespace {

QByteArray save(TpgxReport &report)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    report.saveToStream(&buffer);
    return buffer.data();
}

void load(TpgxReport &report, const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    report.loadFromStream(&buffer);
}

// One object of every view class, each with some values off its defaults.
void addEveryView(ViewReport &r)
{
    auto *memo = new TpgxMemoView(r.band);
    memo->setName(QStringLiteral("Memo1"));
    memo->setBounds(10, 5, 200, 18.9);
    memo->setText(QStringLiteral("Invoice \"%1\"\r\nŁódź, 5 €").arg(42));
    memo->setHAlign(TpgxCustomMemoView::haRight);
    memo->setGapX(4);
    memo->setRotation(450);
    memo->setExpressionDelimiters(QStringLiteral("<,>"));
    memo->setColor(0xEEEEEE);
    memo->frame()->setTyp(TpgxFrame::ftBottom | TpgxFrame::ftTop);
    memo->frame()->setColor(255);
    memo->frame()->bottomLine()->setWidth(2);
    memo->highlight()->setCondition(QStringLiteral("Value < 0"));
    memo->displayFormat()->setKind(TpgxFormat::fkNumeric);
    memo->displayFormat()->setFormatStr(QStringLiteral("%2.2f"));
    memo->font()->setName(QStringLiteral("Courier New"));
    memo->setTagStr(QStringLiteral("[Tag]"));

    auto *sys = new TpgxSysMemoView(r.band);
    sys->setName(QStringLiteral("SysMemo1"));
    sys->setBounds(220, 5, 100, 18.9);
    sys->setText(QStringLiteral("[PAGE#] of [TOTALPAGES#]"));
    sys->setAutoWidth(true);
    sys->setVAlign(TpgxCustomMemoView::vaCenter);

    auto *picture = new TpgxPictureView(r.band);
    picture->setName(QStringLiteral("Picture1"));
    picture->setBounds(10, 30, 40, 20);
    picture->loadFromData(encoded(sampleImage(), "png"));
    picture->setCenter(true);
    picture->setKeepAspectRatio(false);
    picture->frame()->setTyp(TpgxFrame::ftLeft);

    auto *shape = new TpgxShapeView(r.band);
    shape->setName(QStringLiteral("Shape1"));
    shape->setBounds(60, 30, 40, 20);
    shape->setShape(TpgxShapeView::skEllipse);
    shape->setBrushStyle(TpgxView::bsCross);
    shape->setCurve(3);
    shape->frame()->setStyle(TpgxFrameLine::fsDouble);

    auto *line = new TpgxLineView(r.band);
    line->setName(QStringLiteral("Line1"));
    line->setBounds(110, 30, 100, 0);
    line->setArrowEnd(true);
    line->setArrowLength(12);
    line->setDiagonal(true);
    line->frame()->setTyp(TpgxFrame::ftTop);
    line->frame()->setWidth(1.5);

    auto *target = new TpgxReportPage(&r.report);
    target->setName(QStringLiteral("Page2"));
    auto *sub = new TpgxSubreport(r.band);
    sub->setName(QStringLiteral("Subreport1"));
    sub->setBounds(220, 30, 100, 20);
    sub->setReportPage(target);
    sub->setPrintOnParent(true);
}

TEST(ViewTemplates, EveryViewClassIsWrittenAsTheGoldenFileAndReadBackByteForByte)
{
    ensureGuiApplication();
    ViewReport r;
    addEveryView(r);
    const QByteArray first = save(r.report);
    EXPECT_TRUE(
        matchesGoldenFile(first, QStringLiteral(PGX_TEST_DATA "/report/views/every-view.pgr")));

    TpgxReport again;
    load(again, first);
    EXPECT_TRUE(again.errors().isEmpty()) << again.errors().join(QLatin1Char('\n')).toStdString();
    const QByteArray second = save(again);
    EXPECT_TRUE(second == first) << lineDifference(first, second).toStdString();

    auto *memo = qobject_cast<TpgxMemoView *>(again.findObject(QStringLiteral("Memo1")));
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(memo->memo(), (QStringList{"Invoice \"42\"", "Łódź, 5 €"}));
    EXPECT_EQ(memo->rotation(), 90);
    auto *picture = qobject_cast<TpgxPictureView *>(again.findObject(QStringLiteral("Picture1")));
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->pictureSize(), QSize(8, 4));
    auto *sub = qobject_cast<TpgxSubreport *>(again.findObject(QStringLiteral("Subreport1")));
    ASSERT_NE(sub, nullptr);
    ASSERT_NE(sub->reportPage(), nullptr);
    EXPECT_EQ(sub->reportPage()->name(), QStringLiteral("Page2"));
    EXPECT_EQ(sub->reportPage()->subReport(), sub);
}

TEST(ViewTemplates, NewViewsWriteOnlyTheirBounds)
{
    ViewReport r;
    const char *classes[] = {"TpgxMemoView",  "TpgxSysMemoView", "TpgxPictureView",
                             "TpgxShapeView", "TpgxLineView",    "TpgxSubreport"};
    for (const char *name : classes) {
        SCOPED_TRACE(name);
        auto *view = qobject_cast<TpgxView *>(
            pgx::ClassRegistry::create(QString::fromLatin1(name), r.band));
        ASSERT_NE(view, nullptr);
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        view->saveToStream(&buffer);
        const QByteArray text = buffer.data();
        const QByteArray element = text.mid(text.indexOf('<', 2));
        QByteArray expected
            = QByteArray("<") + name + " Left=\"0\" Top=\"0\" Width=\"0\" Height=\"0\"";
        EXPECT_TRUE(element.startsWith(expected)) << element.toStdString();
        // Text objects carry their (empty) text, nothing else does more.
        const bool memo = QByteArray(name).contains("Memo");
        EXPECT_EQ(element.contains("Text=\"\""), memo) << element.toStdString();
        delete view;
    }
}

TEST(ViewTemplates, FrameLinesAreWrittenOnlyWhereTheyLeaveTheirFrame)
{
    ViewReport r;
    auto *memo = new TpgxMemoView(r.band);
    memo->setName(QStringLiteral("Memo1"));
    memo->frame()->setColor(255);
    memo->frame()->setWidth(2);
    memo->frame()->topLine()->setColor(0xFF00);
    const QByteArray text = save(r.report);
    EXPECT_TRUE(text.contains("Frame.Color=\"255\"")) << text.toStdString();
    EXPECT_TRUE(text.contains("Frame.Width=\"2\""));
    EXPECT_TRUE(text.contains("Frame.TopLine.Color=\"65280\""));
    EXPECT_FALSE(text.contains("Frame.LeftLine"));
    EXPECT_FALSE(text.contains("Frame.TopLine.Width"));
    // Read back, the lines follow the frame again except the one.
    TpgxReport again;
    load(again, text);
    auto *loaded = qobject_cast<TpgxMemoView *>(again.findObject(QStringLiteral("Memo1")));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->frame()->leftLine()->color(), 255);
    EXPECT_EQ(loaded->frame()->leftLine()->width(), 2);
    EXPECT_EQ(loaded->frame()->topLine()->color(), 0xFF00);
}

TEST(Subreport, PageAndSubreportPointAtEachOther)
{
    ViewReport r;
    auto *page2 = new TpgxReportPage(&r.report);
    auto *page3 = new TpgxReportPage(&r.report);
    auto *sub = new TpgxSubreport(r.band);
    sub->setReportPage(page2);
    EXPECT_EQ(page2->subReport(), sub);
    sub->setReportPage(page3);
    EXPECT_EQ(page2->subReport(), nullptr);
    EXPECT_EQ(page3->subReport(), sub);
    delete sub;
    EXPECT_EQ(page3->subReport(), nullptr);

    auto *other = new TpgxSubreport(r.band);
    other->setReportPage(page2);
    delete page2;
    EXPECT_EQ(other->reportPage(), nullptr);

    // Constructor defaults.
    EXPECT_EQ(other->frame()->typ().toInt(), 15);
    EXPECT_EQ(other->font()->name(), QStringLiteral("Tahoma"));
    EXPECT_EQ(other->font()->size(), 8);
    EXPECT_EQ(other->color(), 12632256);
}

TEST(DesignerDefaults, ShapesAndLinesTakeTheirKind)
{
    pgx::registerReportClasses();
    TpgxReport report;
    auto *shape = qobject_cast<TpgxShapeView *>(
        TpgxComponent::createInDesigner(QStringLiteral("TpgxShapeView"), &report, 4));
    ASSERT_NE(shape, nullptr);
    EXPECT_EQ(shape->shape(), TpgxShapeView::skDiamond);
    struct Case
    {
        int kind;
        bool diagonal, arrowEnd, arrowStart;
    };
    const Case cases[] = {{0, false, false, false},
                          {1, true, false, false},
                          {2, true, true, false},
                          {3, true, false, true},
                          {4, true, true, true}};
    for (const Case &c : cases) {
        auto *line = qobject_cast<TpgxLineView *>(
            TpgxComponent::createInDesigner(QStringLiteral("TpgxLineView"), &report, c.kind));
        ASSERT_NE(line, nullptr);
        EXPECT_EQ(line->diagonal(), c.diagonal) << c.kind;
        EXPECT_EQ(line->arrowEnd(), c.arrowEnd) << c.kind;
        EXPECT_EQ(line->arrowStart(), c.arrowStart) << c.kind;
        EXPECT_TRUE(line->isDesigning());
    }
}

TEST(ViewDiffAttrs, ShapesAddTheirKindAndViewsTheirOwnValues)
{
    TpgxShapeView a;
    TpgxShapeView b;
    EXPECT_EQ(a.diffAttrs(&b), QString());
    a.setShape(TpgxShapeView::skTriangle);
    a.setBrushStyle(TpgxView::bsBDiagonal);
    a.setAlign(TpgxComponent::baClient);
    a.setCursor(kCrHand);
    a.setPrintable(false);
    a.setUrl(QStringLiteral("http://x/?a=1&b=2"));
    a.frame()->setDropShadow(true);
    a.frame()->setShadowWidth(6);
    EXPECT_EQ(a.diffAttrs(&b),
              QStringLiteral(" BrushStyle=\"5\" Align=\"6\" Frame.DropShadow=\"1\""
                             " Frame.ShadowWidth=\"6\" Cursor=\"150\" Printable=\"0\""
                             " URL=\"http://x/?a=1&#38;b=2\" Shape=\"3\""));
}

}   // namespace

namespace {

// The example's logo is made by scripts/make-example-logo, which writes it
// both as a file and into the template: the two must be the same picture.
TEST(ViewTemplates, TheInvoiceExampleCarriesTheLogoItsScriptMakes)
{
    ensureGuiApplication();
    pgx::registerReportClasses();
    TpgxReport report;
    report.loadFromFile(QStringLiteral(PGX_SOURCE_DIR "/examples/invoice.pgr"), true);
    EXPECT_TRUE(report.errors().isEmpty()) << report.errors().join(QLatin1Char('\n')).toStdString();
    auto *logo = qobject_cast<TpgxPictureView *>(report.findObject(QStringLiteral("Logo")));
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(logo->pictureKind(), pgx::views::PictureKind::Png);
    EXPECT_EQ(logo->pictureSize(), QSize(48, 24));
    QFile file(QStringLiteral(PGX_SOURCE_DIR "/examples/logo.png"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(logo->picture()->graphicData(), file.readAll());
    int texts = 0;
    int lines = 0;
    for (TpgxComponent *c : report.allObjects()) {
        texts += qobject_cast<TpgxCustomMemoView *>(c) != nullptr;
        lines += qobject_cast<TpgxLineView *>(c) != nullptr;
    }
    EXPECT_GE(texts, 10);
    EXPECT_GE(lines, 2);
}

}   // namespace

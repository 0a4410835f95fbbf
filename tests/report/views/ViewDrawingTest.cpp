// Drawing: the recorded drawing of every view class at scales 1 and 2 is a
// golden file; a few views rendered into images match the pixels the
// geometry promises, within a tolerance; drawing never changes the model.
#include "report/views/SamplePictures.h"
#include "report/views/TpgxLineView.h"
#include "report/views/TpgxMemoView.h"
#include "report/views/TpgxPictureView.h"
#include "report/views/TpgxShapeView.h"
#include "report/views/TpgxSubreport.h"
#include "report/views/ViewTestSupport.h"
#include "support/GoldenFile.h"
#include "support/GoldenImage.h"
#include "support/RecordingPaintDevice.h"

#include <gtest/gtest.h>

#include <QtCore/QBuffer>
#include <QtGui/QPainter>

#include <functional>

using namespace pgx::test;

namespace {

struct DrawingCase
{
    const char *name;
    std::function<TpgxView *(TpgxBand *)> make;
};

constexpr TpgxFrame::TpgxFrameTypes kAllSides = TpgxFrame::TpgxFrameTypes(
    TpgxFrame::ftLeft | TpgxFrame::ftRight | TpgxFrame::ftTop | TpgxFrame::ftBottom);

QList<DrawingCase> memoCases()
{
    return {
        {"fill and frame",
         [](TpgxBand *b) {
             auto *v = place<TpgxMemoView>(b, 10, 5, 100, 20);
             v->setColor(0xCCFFFF);
             v->frame()->setTyp(kAllSides);
             v->setText(QStringLiteral("text is drawn by the text layout"));
             return v;
         }},
        {"dashed sides of their own, shadow",
         [](TpgxBand *b) {
             auto *v = place<TpgxMemoView>(b, 10, 5, 100, 20);
             v->setColor(0xFFFFFF);
             v->frame()->setTyp(TpgxFrame::ftLeft | TpgxFrame::ftBottom);
             v->frame()->setStyle(TpgxFrameLine::fsDash);
             v->frame()->leftLine()->setWidth(2);
             v->frame()->bottomLine()->setColor(255);
             v->frame()->setDropShadow(true);
             return v;
         }},
        {"double frame, hatch",
         [](TpgxBand *b) {
             auto *v = place<TpgxMemoView>(b, 10, 5, 100, 20);
             v->frame()->setTyp(kAllSides);
             v->frame()->setStyle(TpgxFrameLine::fsDouble);
             v->setBrushStyle(TpgxView::bsFDiagonal);
             return v;
         }},
        {"hatch in a transparent frame colour is not drawn",
         [](TpgxBand *b) {
             auto *v = place<TpgxMemoView>(b, 10, 5, 100, 20);
             v->frame()->setColor(kClTransparent);
             v->setBrushStyle(TpgxView::bsCross);
             return v;
         }},
    };
}

QList<DrawingCase> sysMemoCases()
{
    return {{"frame width 3 on top", [](TpgxBand *b) {
                 auto *v = place<TpgxSysMemoView>(b, 0, 0, 60, 15);
                 v->frame()->setTyp(TpgxFrame::ftTop);
                 v->frame()->setWidth(3);
                 return v;
             }}};
}

QList<DrawingCase> pictureCases()
{
    return {
        {"png, keep aspect, centred",
         [](TpgxBand *b) {
             auto *v = place<TpgxPictureView>(b, 10, 10, 80, 20);
             v->loadFromData(encoded(sampleImage(), "png"));
             v->setCenter(true);
             v->frame()->setTyp(kAllSides);
             return v;
         }},
        {"png at its own size, clipped",
         [](TpgxBand *b) {
             auto *v = place<TpgxPictureView>(b, 10, 10, 6, 3);
             v->loadFromData(encoded(sampleImage(), "png"));
             v->setStretched(false);
             return v;
         }},
        {"metafile placeholder",
         [](TpgxBand *b) {
             auto *v = place<TpgxPictureView>(b, 10, 10, 60, 40);
             v->loadFromData(sampleMetafile());
             return v;
         }},
        {"empty in the designer",
         [](TpgxBand *b) {
             auto *v = place<TpgxPictureView>(b, 10, 10, 60, 40);
             v->setIsDesigning(true);
             return v;
         }},
    };
}

QList<DrawingCase> shapeCases()
{
    QList<DrawingCase> cases;
    static const char *const names[] = {"rectangle", "round rectangle", "ellipse",   "triangle",
                                        "diamond",   "diagonal 1",      "diagonal 2"};
    for (int kind = 0; kind < 7; ++kind)
        cases.append({names[kind], [kind](TpgxBand *b) {
                          auto *v = place<TpgxShapeView>(b, 10, 10, 60, 30);
                          v->setShape(TpgxShapeView::TpgxShapeKind(kind));
                          v->setColor(0xFFFF);
                          return v;
                      }});
    cases.append({"double ellipse, dashed gaps", [](TpgxBand *b) {
                      auto *v = place<TpgxShapeView>(b, 10, 10, 60, 30);
                      v->setShape(TpgxShapeView::skEllipse);
                      v->frame()->setStyle(TpgxFrameLine::fsDouble);
                      v->frame()->setWidth(2);
                      return v;
                  }});
    cases.append({"hatched triangle", [](TpgxBand *b) {
                      auto *v = place<TpgxShapeView>(b, 10, 10, 60, 30);
                      v->setShape(TpgxShapeView::skTriangle);
                      v->setBrushStyle(TpgxView::bsHorizontal);
                      v->setColor(0xFFFFFF);
                      v->frame()->setStyle(TpgxFrameLine::fsDot);
                      return v;
                  }});
    return cases;
}

QList<DrawingCase> lineCases()
{
    return {
        {"horizontal, 100 x 0", [](TpgxBand *b) { return place<TpgxLineView>(b, 10, 10, 100, 0); }},
        {"vertical, 0 x 100", [](TpgxBand *b) { return place<TpgxLineView>(b, 10, 10, 0, 100); }},
        {"100 x 3 drawn horizontal, width 2, arrow at the end",
         [](TpgxBand *b) {
             auto *v = place<TpgxLineView>(b, 10, 10, 100, 3);
             v->frame()->setWidth(2);
             v->setArrowEnd(true);
             return v;
         }},
        {"diagonal, solid arrows at both ends",
         [](TpgxBand *b) {
             auto *v = place<TpgxLineView>(b, 10, 10, 80, 40);
             v->setDiagonal(true);
             v->setArrowStart(true);
             v->setArrowEnd(true);
             v->setArrowSolid(true);
             v->frame()->setWidth(3);
             return v;
         }},
        {"diagonal in a transparent colour draws nothing",
         [](TpgxBand *b) {
             auto *v = place<TpgxLineView>(b, 10, 10, 80, 40);
             v->setDiagonal(true);
             v->setArrowEnd(true);
             v->frame()->setColor(kClTransparent);
             return v;
         }},
    };
}

QList<DrawingCase> subreportCases()
{
    return {{"named placeholder", [](TpgxBand *b) {
                 auto *v = place<TpgxSubreport>(b, 10, 10, 120, 30);
                 v->setName(QStringLiteral("Subreport1"));
                 return v;
             }}};
}

// Each case drawn at scale 1 and at scale 2 with an offset, one section
// per drawing.
QString recordCases(const QList<DrawingCase> &cases)
{
    QString text;
    for (const DrawingCase &c : cases) {
        for (const double scale : {1.0, 2.0}) {
            ViewReport r;
            TpgxView *view = c.make(r.band);
            RecordingPaintDevice device;
            {
                QPainter painter(&device);
                view->draw(&painter, scale, scale, scale == 1 ? 0 : 5, scale == 1 ? 0 : 7);
            }
            text += QStringLiteral("== %1, scale %2\n").arg(QLatin1String(c.name)).arg(scale);
            text += device.log();
        }
    }
    return text;
}

TEST(ViewDrawing, RecordedDrawingOfEveryViewClassMatchesItsGoldenFile)
{
    ensureGuiApplication();
    struct Suite
    {
        const char *file;
        QList<DrawingCase> cases;
    };
    const Suite suites[] = {
        {"TpgxMemoView", memoCases()},       {"TpgxSysMemoView", sysMemoCases()},
        {"TpgxPictureView", pictureCases()}, {"TpgxShapeView", shapeCases()},
        {"TpgxLineView", lineCases()},       {"TpgxSubreport", subreportCases()},
    };
    for (const Suite &s : suites) {
        SCOPED_TRACE(s.file);
        EXPECT_TRUE(matchesGoldenFile(recordCases(s.cases),
                                      QStringLiteral(PGX_TEST_DATA "/report/views/drawing/")
                                          + QLatin1String(s.file) + QStringLiteral(".txt")));
    }
}

QByteArray saved(TpgxReport &report)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    report.saveToStream(&buffer);
    return buffer.data();
}

TEST(ViewDrawing, DrawingNeverChangesTheModel)
{
    ensureGuiApplication();
    ViewReport r;
    QList<TpgxView *> views;
    for (const auto &cases :
         {memoCases(), pictureCases(), shapeCases(), lineCases(), subreportCases()})
        for (const DrawingCase &c : cases)
            views << c.make(r.band);
    for (int i = 0; i < views.size(); ++i)
        views[i]->setName(QStringLiteral("View%1").arg(i + 1));
    const QByteArray before = saved(r.report);
    QImage image(800, 600, QImage::Format_ARGB32);
    QPainter painter(&image);
    for (TpgxView *v : views)
        for (const double scale : {0.5, 1.0, 3.0})
            v->draw(&painter, scale, scale, 1, 1);
    painter.end();
    EXPECT_EQ(saved(r.report), before);

    // The line drawn horizontal keeps its height and frame sides.
    auto *line = place<TpgxLineView>(r.band, 0, 0, 100, 3);
    RecordingPaintDevice device;
    QPainter p(&device);
    line->draw(&p, 1, 1, 0, 0);
    EXPECT_EQ(line->height(), 3);
    EXPECT_EQ(line->width(), 100);
    EXPECT_EQ(line->frame()->typ().toInt(), 0);
}

// Pixels off by more than `tolerance` per channel, counted.
qsizetype differingPixels(const QImage &a, const QImage &b, int tolerance = 40)
{
    return differingPixelCount(a, b, tolerance);
}

QImage render(TpgxView *view, double scale)
{
    QImage image(300, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    view->draw(&painter, scale, scale, 0, 0);
    return image;
}

TEST(ViewRendering, AFramedFillCoversThePixelsOfItsBox)
{
    ensureGuiApplication();
    for (const double scale : {1.0, 2.0}) {
        SCOPED_TRACE(scale);
        ViewReport r;
        auto *memo = place<TpgxMemoView>(r.band, 10, 0, 100, 50);   // the band is at top 20
        memo->setColor(0xFFFF00);                                   // cyan
        memo->frame()->setTyp(kAllSides);
        memo->frame()->setColor(255);   // red
        const QImage actual = render(memo, scale);

        // What the geometry promises: the fill over X..X1-1, Y..Y1-1, the
        // frame on the edges X, X1, Y, Y1 themselves, one pixel per scale.
        const int s = int(scale);
        const int x = 10 * s, y = 20 * s, x1 = 110 * s, y1 = 70 * s;
        QImage expected(actual.size(), QImage::Format_RGB32);
        expected.fill(Qt::white);
        QPainter p(&expected);
        p.fillRect(QRect(QPoint(x, y), QPoint(x1 - 1, y1 - 1)), Qt::cyan);
        p.fillRect(QRect(x - s / 2, y, s, y1 - y), Qt::red);
        p.fillRect(QRect(x1 - s / 2, y, s, y1 - y), Qt::red);
        p.fillRect(QRect(x, y - s / 2, x1 - x, s), Qt::red);
        p.fillRect(QRect(x, y1 - s / 2, x1 - x + 1, s), Qt::red);
        p.end();
        // Line ends may differ by a pixel or two in the corners.
        EXPECT_LE(differingPixels(actual, expected), 4 * s);
    }
}

TEST(ViewRendering, AStretchedPictureKeepsItsHalvesApart)
{
    ensureGuiApplication();
    ViewReport r;
    auto *picture = place<TpgxPictureView>(r.band, 0, 0, 80, 40);
    picture->loadFromData(encoded(sampleImage(), "bmp"));
    picture->setKeepAspectRatio(false);
    const QImage actual = render(picture, 1);
    // The 8 x 4 picture (red | blue) stretched over 80 x 40 at (0, 20).
    QImage expected(actual.size(), QImage::Format_RGB32);
    expected.fill(Qt::white);
    QPainter p(&expected);
    p.fillRect(QRect(0, 20, 40, 40), Qt::red);
    p.fillRect(QRect(40, 20, 40, 40), Qt::blue);
    p.end();
    EXPECT_LE(differingPixels(actual, expected), 80);
}

TEST(ViewRendering, ShapesStayInsideTheirBox)
{
    ensureGuiApplication();
    for (int kind = 0; kind < 7; ++kind) {
        SCOPED_TRACE(kind);
        ViewReport r;
        auto *shape = place<TpgxShapeView>(r.band, 20, 10, 100, 60);
        shape->setShape(TpgxShapeView::TpgxShapeKind(kind));
        shape->setColor(0xFF);
        shape->frame()->setWidth(3);
        const QImage image = render(shape, 1);
        // Nothing outside (20, 30)..(120, 90) widened by half the pen.
        const QRect allowed = QRect(QPoint(20, 30), QPoint(120, 90)).adjusted(-2, -2, 2, 2);
        int outside = 0;
        int inside = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != qRgb(255, 255, 255))
                    ++(allowed.contains(x, y) ? inside : outside);
        EXPECT_EQ(outside, 0);
        EXPECT_GT(inside, 100);
    }
}

}   // namespace

namespace {

TEST(PageBackground, ColourFrameAndPictureOverThePrintableArea)
{
    ensureGuiApplication();
    ViewReport r;   // registers the classes, which installs the painter
    r.page->setLeftMargin(10);
    r.page->setTopMargin(5);
    r.page->setColor(0xF0F0F0);
    r.page->frame()->setTyp(TpgxFrame::ftTop);
    r.page->backPicture()->setGraphic("TPngImage", encoded(sampleImage(), "png"));
    RecordingPaintDevice device;
    {
        QPainter painter(&device);
        r.page->drawBackground(&painter, 1, 1, 0, 0);
    }
    const QRectF area = r.page->backgroundRect(1, 1, 0, 0);
    const int x = qRound(area.left());
    const int y = qRound(area.top());
    const int x1 = qRound(area.right());
    const QStringList &lines = device.lines();
    EXPECT_TRUE(lines.contains(QStringLiteral("brush solid #f0f0f0")))
        << device.log().toStdString();
    EXPECT_TRUE(lines.contains(
        QStringLiteral("image 8x4 %1,%2-%3,%4").arg(x).arg(y).arg(x1).arg(qRound(area.bottom()))))
        << device.log().toStdString();
    EXPECT_TRUE(lines.contains(QStringLiteral("line %1,%2-%3,%2").arg(x).arg(y).arg(x1)))
        << device.log().toStdString();
}

}   // namespace

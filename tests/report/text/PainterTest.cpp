// Drawing puts the ink where the placement said: checked on images, and on
// a PDF that the font must be embedded in rather than drawn as outlines.

#include "TextTestSupport.h"

#include "report/text/TextPainter.h"

#include <QtCore/QBuffer>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtGui/QPdfWriter>
#include <gtest/gtest.h>

namespace pgx::test {
namespace {

using namespace pgx::text;

// The columns and rows holding ink (anything not white), as [first, last].
struct Ink
{
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
    bool any() const { return right >= 0; }
};

bool anyInk(QRgb p)
{
    return p != qRgb(255, 255, 255);
}
// Mostly red, as the edges of antialiased glyphs are.
bool reddish(QRgb p)
{
    return qRed(p) > 200 && qGreen(p) < 100 && qBlue(p) < 100;
}
bool blue(QRgb p)
{
    return p == qRgb(0, 0, 255);
}

Ink inkOf(const QImage &image, bool (*isInk)(QRgb) = anyInk)
{
    Ink ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (!isInk(p))
                continue;
            ink.left = std::min(ink.left, x);
            ink.right = std::max(ink.right, x);
            ink.top = std::min(ink.top, y);
            ink.bottom = std::max(ink.bottom, y);
        }
    return ink;
}

QImage drawn(const QStringList &lines, const TextOptions &o, const MemoBox &b,
             QSize size = {200, 100})
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    drawText(painter, layOutMemo(lines, o, b), b, DeviceScale{});
    return image;
}

class PainterTest : public TextTest
{ };

TEST_F(PainterTest, InkFollowsTheAlignment)
{
    MemoBox b = box(100, 40);
    b.left = 20;
    b.top = 10;
    TextOptions o;
    const Ink left = inkOf(drawn({QStringLiteral("Hello")}, o, b));
    ASSERT_TRUE(left.any());
    // "H" starts one pixel into its advance; the text rectangle at x = 22.
    EXPECT_NEAR(left.left, 23, 1);
    EXPECT_GE(left.top, 11 + 1);           // below the rectangle's top, cap height below the ascent
    EXPECT_LE(left.bottom, 11 + 12 + 1);   // the baseline is 12 pixels down

    o.hAlign = HAlign::Right;
    const Ink right = inkOf(drawn({QStringLiteral("Hello")}, o, b));
    // The text rectangle ends at 119; "o" ends about a pixel short of its advance.
    EXPECT_NEAR(right.right, 118, 1);
    EXPECT_EQ(right.right - right.left, left.right - left.left);
}

TEST_F(PainterTest, ClippedTextStaysInsideTheObject)
{
    MemoBox b = box(30, 20);
    b.left = 10;
    TextOptions o;
    o.wordWrap = false;
    const QStringList wide{QStringLiteral("MMMMMMMMMMMMMM")};
    const Ink clipped = inkOf(drawn(wide, o, b));
    EXPECT_LE(clipped.right, 39);
    o.clipped = false;
    EXPECT_GT(inkOf(drawn(wide, o, b)).right, 60);
}

TEST_F(PainterTest, ColoursAndSubscripts)
{
    TextOptions o;
    o.allowHtmlTags = true;
    const QImage image = drawn(
        {QStringLiteral("a<font color=\"#FF0000\">MMM</font>b<sub>MMM</sub>")}, o, box(190));
    const Ink red = inkOf(image, reddish);
    ASSERT_TRUE(red.any()) << "no red pixel";
    const Ink all = inkOf(image);
    // The subscript ends lower than the normal text.
    const QImage plain = drawn({QStringLiteral("aMMMb")}, o, box(190));
    EXPECT_GT(all.bottom, inkOf(plain).bottom);
}

TEST_F(PainterTest, UnderlinesInTheFrameColour)
{
    TextOptions o;
    o.underlines = true;
    MemoBox b = box(100, 60);
    b.frameColor = 0xFF0000;   // blue
    const Ink lines = inkOf(drawn({QString()}, o, b), blue);
    ASSERT_TRUE(lines.any());
    EXPECT_EQ(lines.top, 17);
    EXPECT_EQ(lines.bottom, 51);
}

TEST_F(PainterTest, PdfEmbedsTheFonts)
{
    struct Case
    {
        const char *name;
        int style;
        const char *embedded;   // the PostScript name in the PDF
    };
    const Case cases[] = {
        {"Arial", 0, "LiberationSans"},
        {"Arial", kBold | kItalic, "LiberationSans-BoldItalic"},
        {"Times New Roman", kItalic, "LiberationSerif-Italic"},
        {"Courier New", kBold, "LiberationMono-Bold"},
        {"Tahoma", 0, "DejaVuSans"},
        {"Verdana", kItalic, "DejaVuSans-Oblique"},
    };
    for (const Case &c : cases) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        {
            QPdfWriter pdf(&buffer);
            pdf.setResolution(600);
            pdf.setPageMargins(QMarginsF());
            QPainter painter(&pdf);
            const MemoBox b = box(300, 100);
            TextOptions o;
            o.font.name = QString::fromLatin1(c.name);
            o.font.style = c.style;
            const QStringList fox{QStringLiteral("The quick brown fox jumps over the lazy dog")};
            drawText(painter, layOutMemo(fox, o, b), b, DeviceScale{6.25, 6.25, 0, 0});
        }
        const QByteArray bytes = buffer.data();
        EXPECT_TRUE(bytes.contains("/FontFile2")) << c.name << ": not written as a font";
        EXPECT_TRUE(bytes.contains(c.embedded)) << c.name << ": not " << c.embedded;
    }
}

}   // namespace
}   // namespace pgx::test

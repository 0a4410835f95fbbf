// What text capture reports: the lines drawText draws, where the device
// shows them, to the innermost capture of the drawing thread only.
#include "TextTestSupport.h"

#include "report/text/TextCapture.h"
#include "report/text/TextPainter.h"

#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <gtest/gtest.h>

#include <thread>

namespace pgx::test {
namespace {

using namespace pgx::text;

class TextCaptureTest : public TextTest
{
protected:
    // Draws the memo lines in a box at (20, 10), 200 x 100 units.
    void draw(const QStringList &lines, const DeviceScale &scale, QPointF translation = {},
              int rotation = 0)
    {
        QPainter painter(&m_image);
        painter.translate(translation);
        m_box.left = 20;
        m_box.top = 10;
        m_options.rotation = rotation;
        m_layout = layOutMemo(lines, m_options, m_box);
        drawText(painter, m_layout, m_box, scale);
    }

    QImage m_image{800, 600, QImage::Format_RGB32};
    MemoBox m_box = box(200, 100);
    TextOptions m_options;
    TextLayout m_layout;
};

TEST_F(TextCaptureTest, ReportsEachLineWhereTheDeviceShowsIt)
{
    TextCapture capture;
    draw({QStringLiteral("Hello"), QStringLiteral("World")}, DeviceScale{2, 2, 30, 40},
         QPointF(5, 7));
    const QList<CapturedLine> &lines = capture.lines();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0].text, QStringLiteral("Hello"));
    EXPECT_EQ(lines[1].text, QStringLiteral("World"));
    // The text rectangle starts inside the gaps (2 across, 1 down), scaled,
    // after the offset and the painter's own translation.
    const QRectF &first = lines[0].rect;
    EXPECT_NEAR(first.left(), 5 + 30 + 2 * (20 + 2), 1);
    EXPECT_NEAR(first.top(), 7 + 40 + 2 * (10 + 1), 1);
    EXPECT_NEAR(first.width(), 2 * m_layout.lineWidth(0), 2);
    // Liberation Sans at 27 pixels per em: about 1.12 em from ascent to descent.
    EXPECT_NEAR(first.height(), 1.12 * 27, 2);
    EXPECT_NEAR(lines[1].rect.top() - first.top(), 2 * m_layout.lineHeight(), 1);
    EXPECT_NEAR(lines[1].rect.left(), first.left(), 1);
}

TEST_F(TextCaptureTest, TurnedTextGivesItsTurnedBox)
{
    TextCapture capture;
    draw({QStringLiteral("Turned")}, DeviceScale{}, {}, 90);
    ASSERT_EQ(capture.lines().size(), 1);
    const QRectF &rect = capture.lines()[0].rect;
    EXPECT_GT(rect.height(), 2 * rect.width());
    EXPECT_NEAR(rect.height(), m_layout.lineWidth(0), 2);
    const QRectF object(20, 10, 200, 100);
    EXPECT_TRUE(object.adjusted(-1, -1, 1, 1).contains(rect));
}

TEST_F(TextCaptureTest, TheInnermostCaptureOfTheDrawingThreadTakesTheLines)
{
    {
        TextCapture gone;
    }
    EXPECT_EQ(TextCapture::current(), nullptr);
    TextCapture outer;
    TextCapture *seenByOtherThread = &outer;
    std::thread([&] { seenByOtherThread = TextCapture::current(); }).join();
    EXPECT_EQ(seenByOtherThread, nullptr);
    {
        TextCapture inner;
        EXPECT_EQ(TextCapture::current(), &inner);
        draw({QStringLiteral("Inner")}, DeviceScale{});
        ASSERT_EQ(inner.lines().size(), 1);
        EXPECT_TRUE(outer.lines().isEmpty());
    }
    EXPECT_EQ(TextCapture::current(), &outer);
    draw({QStringLiteral("Outer")}, DeviceScale{});
    ASSERT_EQ(outer.lines().size(), 1);
    EXPECT_EQ(outer.lines()[0].text, QStringLiteral("Outer"));
    EXPECT_EQ(outer.takeLines().size(), 1);
    EXPECT_TRUE(outer.lines().isEmpty());
}

TEST_F(TextCaptureTest, BlankLinesAreNoText)
{
    TextCapture capture;
    // An empty memo lays out as one blank.
    draw({QString(), QStringLiteral("  ")}, DeviceScale{});
    EXPECT_TRUE(capture.lines().isEmpty());
}

}   // namespace
}   // namespace pgx::test

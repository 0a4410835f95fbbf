#include "report/views/FramePainter.h"

#include <QtGui/QPainter>

namespace pgx::views {

Qt::PenStyle penStyle(TpgxFrameLine::TpgxFrameStyle style)
{
    switch (style) {
    case TpgxFrameLine::fsDash: return Qt::DashLine;
    case TpgxFrameLine::fsDot: return Qt::DotLine;
    case TpgxFrameLine::fsDashDot: return Qt::DashDotLine;
    case TpgxFrameLine::fsDashDotDot: return Qt::DashDotDotLine;
    case TpgxFrameLine::fsSolid:
    case TpgxFrameLine::fsDouble: break;
    }
    return Qt::SolidLine;
}

QPen makePen(TColor color, int width, TpgxFrameLine::TpgxFrameStyle style)
{
    QPen pen(toQColor(color), width, penStyle(style), Qt::FlatCap, Qt::RoundJoin);
    return pen;
}

void fillBox(QPainter *painter, const QRect &rect, TColor color)
{
    if (color == kClTransparent || rect.isEmpty())
        return;
    painter->fillRect(rect, toQColor(color));
}

// A line's end point is left out: the pen runs from the first pixel to the
// start of the last one, with flat ends. Across the line a pen of odd width
// is centred on the pixel, an even one on its left (upper) edge, so that a
// pen of width w covers the pixels from x - w / 2 on, as the platform's
// pens do.
void paintFrame(QPainter *painter, const FramePlan &plan)
{
    for (const QRect &band : plan.shadow)
        fillBox(painter, band, plan.shadowColor);
    for (const FrameStroke &s : plan.strokes) {
        painter->setPen(makePen(s.color, s.penWidth, s.style));
        if (s.gapColor != kClTransparent) {
            painter->setBackgroundMode(Qt::OpaqueMode);
            painter->setBackground(toQColor(s.gapColor));
        } else {
            painter->setBackgroundMode(Qt::TransparentMode);
        }
        const double across = s.penWidth % 2 == 1 ? 0.5 : 0;
        const QPointF half(s.from.x() == s.to.x() ? across : 0,
                           s.from.y() == s.to.y() ? across : 0);
        painter->drawLine(QPointF(s.from) + half, QPointF(s.to) + half);
    }
    painter->setBackgroundMode(Qt::TransparentMode);
}

}   // namespace pgx::views

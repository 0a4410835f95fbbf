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
    QPen pen(toQColor(color), width, penStyle(style), Qt::FlatCap, Qt::MiterJoin);
    return pen;
}

void fillBox(QPainter *painter, const QRect &rect, TColor color)
{
    if (color == clTransparent || rect.isEmpty())
        return;
    painter->fillRect(rect, toQColor(color));
}

// A line's end point is left out: the pen runs from the centre of the first
// pixel to the start of the last one, with flat ends.
void paintFrame(QPainter *painter, const FramePlan &plan)
{
    for (const QRect &band : plan.shadow)
        fillBox(painter, band, plan.shadowColor);
    for (const FrameStroke &s : plan.strokes) {
        painter->setPen(makePen(s.color, s.penWidth, s.style));
        if (s.gapColor != clTransparent) {
            painter->setBackgroundMode(Qt::OpaqueMode);
            painter->setBackground(toQColor(s.gapColor));
        } else {
            painter->setBackgroundMode(Qt::TransparentMode);
        }
        const QPointF half(s.from.x() == s.to.x() ? 0.5 : 0, s.from.y() == s.to.y() ? 0.5 : 0);
        painter->drawLine(QPointF(s.from) + half, QPointF(s.to) + half);
    }
    painter->setBackgroundMode(Qt::TransparentMode);
}

}   // namespace pgx::views

#include "report/views/FrameGeometry.h"

namespace pgx::views {

namespace {

enum class Side { Left, Right, Top, Bottom };

bool isVertical(Side side)
{
    return side == Side::Left || side == Side::Right;
}

// The line of a side as drawn with one solid pen: the frame's corner rules
// live here. A left line of pen width 2 starts one pixel higher and a bottom
// line of pen width 1 one pixel further right, so that the corners close.
void sideLine(Side side, const DeviceBox &b, int penWidth, QPoint *from, QPoint *to)
{
    switch (side) {
    case Side::Left:
        *from = QPoint(b.x, b.y - (penWidth == 2 ? 1 : 0));
        *to = QPoint(b.x, b.y1);
        break;
    case Side::Right:
        *from = QPoint(b.x1, b.y);
        *to = QPoint(b.x1, b.y1);
        break;
    case Side::Top:
        *from = QPoint(b.x, b.y);
        *to = QPoint(b.x1, b.y);
        break;
    case Side::Bottom:
        *from = QPoint(b.x, b.y1);
        *to = QPoint(b.x1 + (penWidth == 1 ? 1 : 0), b.y1);
        break;
    }
}

// Moves a line across its own direction (right or down for positive d).
void shiftAcross(Side side, int d, QPoint *from, QPoint *to)
{
    const QPoint step = isVertical(side) ? QPoint(d, 0) : QPoint(0, d);
    *from += step;
    *to += step;
}

struct SideInfo
{
    Side side;
    TpgxFrame::TpgxFrameType member;
    const TpgxFrameLine *line;
};

// Double lines: the outer and the inner line at w on either side of the
// edge. Where the neighbouring side is framed as well, the outer line runs
// on by w and the inner one stops w short, so that both join it.
void addDouble(QList<FrameStroke> &out, const SideInfo &s, const DeviceBox &b,
               TpgxFrame::TpgxFrameTypes sides, int w, TColor color, TColor fill)
{
    const bool vertical = isVertical(s.side);
    const bool startJoins = sides.testFlag(vertical ? TpgxFrame::ftTop : TpgxFrame::ftLeft);
    const bool endJoins = sides.testFlag(vertical ? TpgxFrame::ftBottom : TpgxFrame::ftRight);
    const int edge = s.side == Side::Left ? b.x
        : s.side == Side::Right           ? b.x1
        : s.side == Side::Top             ? b.y
                                          : b.y1;
    const int start = vertical ? b.y : b.x;
    const int end = (vertical ? b.y1 : b.x1) + 1;
    // Outward is left for the left side, up for the top, and so on.
    const int outward = (s.side == Side::Left || s.side == Side::Top) ? -1 : 1;
    const auto make = [&](int across, int from, int to, TColor c) {
        FrameStroke stroke;
        stroke.from = vertical ? QPoint(across, from) : QPoint(from, across);
        stroke.to = vertical ? QPoint(across, to) : QPoint(to, across);
        stroke.penWidth = w;
        stroke.color = c;
        return stroke;
    };
    if (fill != kClTransparent)
        out << make(edge, start, end, fill);
    out << make(edge + outward * w, start - (startJoins ? w : 0), end + (endJoins ? w : 0), color);
    out << make(edge - outward * w, start + (startJoins ? w : 0), end - (endJoins ? w : 0), color);
}

}   // namespace

FramePlan planFrame(const TpgxFrame &frame, TpgxFrame::TpgxFrameTypes sides, const DeviceBox &box,
                    double scaleX, double scaleY, TColor fill)
{
    FramePlan plan;
    if (frame.dropShadow()) {
        const int sx = roundPixel(frame.shadowWidth() * scaleX);
        const int sy = roundPixel(frame.shadowWidth() * scaleY);
        plan.shadowColor = frame.shadowColor();
        if (sx > 0)
            plan.shadow << QRect(QPoint(box.x1, box.y + sy), QPoint(box.x1 + sx - 1, box.y1 + sy));
        if (sy > 0)
            plan.shadow << QRect(QPoint(box.x + sx, box.y1), QPoint(box.x1 + sx, box.y1 + sy - 1));
    }
    if (!sides || frame.color() == kClTransparent || frame.width() == 0)
        return plan;

    const SideInfo order[] = {
        {Side::Left, TpgxFrame::ftLeft, frame.leftLine()},
        {Side::Right, TpgxFrame::ftRight, frame.rightLine()},
        {Side::Top, TpgxFrame::ftTop, frame.topLine()},
        {Side::Bottom, TpgxFrame::ftBottom, frame.bottomLine()},
    };
    for (const SideInfo &s : order) {
        if (!sides.testFlag(s.member) || s.line->color() == kClTransparent)
            continue;
        // The platform draws a pen narrower than one pixel as one pixel.
        const int w = qMax(1, roundPixel(s.line->width() * scaleX));
        const auto style = s.line->style();
        if (style == TpgxFrameLine::fsDouble) {
            addDouble(plan.strokes, s, box, sides, w, s.line->color(), fill);
            continue;
        }
        FrameStroke stroke;
        sideLine(s.side, box, w, &stroke.from, &stroke.to);
        stroke.color = s.line->color();
        stroke.style = style;
        if (style == TpgxFrameLine::fsSolid) {
            stroke.penWidth = w;
            plan.strokes << stroke;
            continue;
        }
        // Dashed styles exist only for one-pixel pens: w of them side by
        // side, centred on the edge as a wide pen would be.
        stroke.penWidth = 1;
        stroke.gapColor = fill;
        for (int i = 0; i < w; ++i) {
            FrameStroke one = stroke;
            shiftAcross(s.side, i - w / 2, &one.from, &one.to);
            plan.strokes << one;
        }
    }
    return plan;
}

}   // namespace pgx::views

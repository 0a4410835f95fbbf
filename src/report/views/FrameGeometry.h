#pragma once

// What a view's frame puts on the device, computed apart from any painter:
// the shadow bands and one stroke per pen line, in drawing order. Views
// paint exactly this list (FramePainter.h), and the tests check it with
// data tables.
#include "report/component/TpgxFrame.h"
#include "report/views/DeviceBox.h"

#include <QtCore/QList>
#include <QtCore/QPoint>
#include <QtCore/QRect>

namespace pgx::views {

// One pen line from `from` to `to`, the end point itself left out (as the
// platform's line drawing has it).
struct FrameStroke
{
    QPoint from;
    QPoint to;
    int penWidth = 1;
    TColor color = kClBlack;
    TpgxFrameLine::TpgxFrameStyle style = TpgxFrameLine::fsSolid;
    // What shows between the dashes (the view's fill); clTransparent for
    // nothing.
    TColor gapColor = kClTransparent;

    bool operator==(const FrameStroke &) const = default;
};

struct FramePlan
{
    // Filled rectangles of the drop shadow (right band, then bottom band).
    QList<QRect> shadow;
    TColor shadowColor = kClBlack;
    QList<FrameStroke> strokes;
};

// The frame of a view whose device box is `box`, with the sides `sides`
// (normally frame.Typ(); a line view passes the side it is drawn as).
// `fill` is the view's colour: it shows in the gaps of dashed and double
// lines.
FramePlan planFrame(const TpgxFrame &frame, TpgxFrame::TpgxFrameTypes sides, const DeviceBox &box,
                    double scaleX, double scaleY, TColor fill);

}   // namespace pgx::views

#pragma once

// Paints what the geometry classes computed; nothing here decides a pixel.
#include "report/views/FrameGeometry.h"

#include <QtGui/QPen>

class QPainter;

namespace pgx::views {

Qt::PenStyle penStyle(TpgxFrameLine::TpgxFrameStyle style);
// A pen of the platform's kind: flat ends, so a line ends where it says, and
// round joins, so a sharp corner stays within half the pen of its point.
QPen makePen(TColor color, int width, TpgxFrameLine::TpgxFrameStyle style);
// Fills `rect` (right and bottom edges included) unless the colour is
// transparent.
void fillBox(QPainter *painter, const QRect &rect, TColor color);
void paintFrame(QPainter *painter, const FramePlan &plan);

}   // namespace pgx::views

#pragma once

#include <QtCore/QList>
#include <QtCore/QPointF>
#include <QtCore/QRectF>

namespace pgx::designer {

// The arithmetic of dragging in the page workspace, in report units.

// The part of a drag's offset (from where it began) that is applied: with
// the grid on, nothing until a whole step is reached in either direction,
// then both offsets cut toward zero to whole steps, so objects move in
// whole steps from where they were, not onto absolute grid lines.
QPointF snappedOffset(QPointF offset, double stepX, double stepY, bool alignToGrid);

// The sizing handles, numbered as the workspace knows them.
enum class Handle {
    None = 0,
    TopLeft = 1,
    BottomRight = 2,
    TopRight = 3,
    BottomLeft = 4,
    Right = 5,
    Left = 6,
    Top = 7,
    Bottom = 8,
};

enum class ShapeKind { Box, HorizontalLine, VerticalLine, DiagonalLine };

// The handle of `rect` under `point` (within -2 to +3 units of a handle's
// point in both directions), None when none. A horizontal line has only
// its left and right handle, a vertical one its top and bottom; a diagonal
// line its start (TopLeft) and end (BottomRight); a box all eight, the
// midpoints only when `single`.
Handle handleAt(const QRectF &rect, QPointF point, ShapeKind kind, bool single = true);

struct SizedRect
{
    QRectF rect;     // left, top, width, height; a line's may come out normalised
    Handle handle;   // the handle dragged on, mirrored when a line turned over
};
// `rect` sized by dragging `handle` by `offset`. A line whose width or
// height goes negative is turned around (position moved back, size made
// positive, the handle swapped); a left below 0 becomes 0.
SizedRect sizeByHandle(const QRectF &rect, Handle handle, QPointF offset, bool isLine);

// Several objects scaled together: the bounding rectangle's right and
// bottom follow `bottomRight` (never past its left or top), every start
// rectangle scaled about the bounding rectangle's corner.
QList<QRectF> scaledRects(const QList<QRectF> &starts, const QRectF &bounds, QPointF bottomRight);

// The direction of a keyboard move or selection.
enum class Direction { Left, Right, Up, Down };

// The object a plain arrow selects from `selected`: candidates in the
// corridor ahead (the strip the selected object spans in that direction)
// by the distance of their near edge; then those in the half-plane ahead
// whose offset along the direction is at least their offset across it, by
// the straight gap. -1 when none qualifies.
int nearestInDirection(const QRectF &selected, const QList<QRectF> &candidates,
                       Direction direction);

// Shift+arrow: right and down grow the size by one grid step, left and up
// shrink it by one; a size that would go negative stays as it was.
QRectF resizedByStep(const QRectF &rect, Direction direction, double stepX, double stepY);

// Where Alt+arrow pushes `selected`: against the nearest candidate ahead
// whose extent overlaps its own across the direction; its position
// unchanged when there is none.
QPointF pushedPosition(const QRectF &selected, const QList<QRectF> &candidates,
                       Direction direction);

}   // namespace pgx::designer

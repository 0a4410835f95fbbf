#pragma once

// The geometry of shapes, lines with arrows and placed pictures on the
// device, computed apart from any painter so that tables can check it.
#include "report/views/DeviceBox.h"

#include <QtCore/QList>
#include <QtCore/QPoint>
#include <QtCore/QRect>
#include <QtCore/QSize>
#include <QtGui/QPolygon>

namespace pgx::views {

enum class ShapeKind {
    Rectangle,
    RoundRectangle,
    Ellipse,
    Triangle,
    Diamond,
    Diagonal1,
    Diagonal2
};

// One outline of a shape. Rectangles and ellipses cover `rect` (right and
// bottom edges included, as the platform's X, Y, X1 + 1, Y1 + 1 has it);
// polygons and lines are their points.
struct ShapeOutline
{
    enum Kind { Rect, RoundRect, Ellipse, Polygon, Line };
    Kind kind = Rect;
    QRect rect;
    int cornerDiameter = 0;
    QPolygon points;
};

// The outlines of a shape in `box`: one, or two for a double frame, the
// second inset by twice the frame width (rectangles, rounded rectangles,
// ellipses, diagonals), three times (diamond) or four times (triangle)
// on each side.
QList<ShapeOutline> planShape(ShapeKind kind, const DeviceBox &box, int curve, double scaleX,
                              int frameWidth, bool doubleFrame);

// A line view as it is drawn: a line that is not diagonal is vertical when
// its width is at most its height, else horizontal; only the drawing
// changes, the model keeps its size.
struct LineShape
{
    bool vertical = false;
    bool horizontal = false;
    QPoint start;
    QPoint end;
};
LineShape planLine(const DeviceBox &box, double width, double height, bool diagonal);

// The head of an arrow: tip first, then the two corners of its base.
// The base centre lies on the line `length` pixels from the tip, the
// corners `halfWidth` pixels to either side across the line; a line less
// than 9 pixels from vertical gets its base straight above or below the tip.
QPolygon arrowHead(QPoint tip, QPoint tail, int length, int halfWidth);

// Where a picture of `size` pixels goes in `box`, and whether it must be
// clipped to the box. Stretched fills the box (with keepAspect at the
// smaller of the two ratios for both directions); otherwise the picture
// keeps its size times the scale. Center moves it to the middle, the
// halves rounded toward zero.
struct PicturePlacement
{
    QRect target;
    bool clip = false;
};
PicturePlacement placePicture(const DeviceBox &box, QSize size, double scaleX, double scaleY,
                              bool stretched, bool keepAspect, bool center);

}   // namespace pgx::views

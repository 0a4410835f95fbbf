#include "report/views/ShapeGeometry.h"

#include <algorithm>
#include <cmath>

namespace pgx::views {

namespace {

ShapeOutline outlineOf(ShapeKind kind, const DeviceBox &b, int curve, double scaleX)
{
    ShapeOutline o;
    const QRect covered(QPoint(b.x, b.y), QPoint(b.x1, b.y1));
    switch (kind) {
    case ShapeKind::Rectangle:
        o.kind = ShapeOutline::Rect;
        o.rect = covered;
        break;
    case ShapeKind::RoundRectangle:
        o.kind = ShapeOutline::RoundRect;
        o.rect = covered;
        o.cornerDiameter
            = curve != 0 ? roundPixel(curve * scaleX * 10) : std::min(b.dx(), b.dy()) / 4;
        break;
    case ShapeKind::Ellipse:
        o.kind = ShapeOutline::Ellipse;
        o.rect = covered;
        break;
    case ShapeKind::Triangle:
        o.kind = ShapeOutline::Polygon;
        o.points << QPoint(b.x1, b.y1) << QPoint(b.x, b.y1) << QPoint(b.x + b.dx() / 2, b.y);
        break;
    case ShapeKind::Diamond:
        o.kind = ShapeOutline::Polygon;
        o.points << QPoint(b.x + b.dx() / 2, b.y) << QPoint(b.x1, b.y + b.dy() / 2)
                 << QPoint(b.x + b.dx() / 2, b.y1) << QPoint(b.x, b.y + b.dy() / 2);
        break;
    case ShapeKind::Diagonal1:
        o.kind = ShapeOutline::Line;
        o.points << QPoint(b.x, b.y1) << QPoint(b.x1, b.y);
        break;
    case ShapeKind::Diagonal2:
        o.kind = ShapeOutline::Line;
        o.points << QPoint(b.x, b.y) << QPoint(b.x1, b.y1);
        break;
    }
    return o;
}

int insetFactor(ShapeKind kind)
{
    switch (kind) {
    case ShapeKind::Diamond: return 3;
    case ShapeKind::Triangle: return 4;
    default: return 2;
    }
}

}   // namespace

QList<ShapeOutline> planShape(ShapeKind kind, const DeviceBox &box, int curve, double scaleX,
                              int frameWidth, bool doubleFrame)
{
    QList<ShapeOutline> out{outlineOf(kind, box, curve, scaleX)};
    if (!doubleFrame)
        return out;
    const int d = insetFactor(kind) * frameWidth;
    DeviceBox inner{box.x + d, box.y + d, box.x1 - d, box.y1 - d};
    // A frame wider than the shape leaves no inner outline.
    if (inner.x1 < inner.x || inner.y1 < inner.y)
        return out;
    out << outlineOf(kind, inner, curve, scaleX);
    return out;
}

LineShape planLine(const DeviceBox &box, double width, double height, bool diagonal)
{
    LineShape line;
    line.start = QPoint(box.x, box.y);
    if (diagonal) {
        line.end = QPoint(box.x1, box.y1);
    } else if (width <= height) {
        line.vertical = true;
        line.end = QPoint(box.x, box.y1);
    } else {
        line.horizontal = true;
        line.end = QPoint(box.x1, box.y);
    }
    return line;
}

QPolygon arrowHead(QPoint tip, QPoint tail, int length, int halfWidth)
{
    const int dx = tail.x() - tip.x();
    const int dy = tail.y() - tip.y();
    if (std::abs(dx) < 9) {
        const int baseY = tip.y() + (dy < 0 ? -length : length);
        return QPolygon{
            {tip, QPoint(tip.x() - halfWidth, baseY), QPoint(tip.x() + halfWidth, baseY)}};
    }
    const double len = std::hypot(double(dx), double(dy));
    const double ux = dx / len;
    const double uy = dy / len;
    const double bx = tip.x() + ux * length;
    const double by = tip.y() + uy * length;
    // Across the line: the direction turned a quarter.
    const double px = -uy * halfWidth;
    const double py = ux * halfWidth;
    return QPolygon{{tip, QPoint(roundPixel(bx + px), roundPixel(by + py)),
                     QPoint(roundPixel(bx - px), roundPixel(by - py))}};
}

PicturePlacement placePicture(const DeviceBox &box, QSize size, double scaleX, double scaleY,
                              bool stretched, bool keepAspect, bool center)
{
    PicturePlacement p;
    if (size.isEmpty())
        return p;
    int w = 0;
    int h = 0;
    if (stretched) {
        w = box.dx();
        h = box.dy();
        if (keepAspect) {
            const double k
                = std::min(double(box.dx()) / size.width(), double(box.dy()) / size.height());
            w = roundPixel(size.width() * k);
            h = roundPixel(size.height() * k);
        }
    } else {
        w = roundPixel(size.width() * scaleX);
        h = roundPixel(size.height() * scaleY);
        p.clip = true;
    }
    int x = box.x;
    int y = box.y;
    if (center) {
        // Integer division: halves toward zero, also when the picture is
        // larger than the box.
        x += (box.dx() - w) / 2;
        y += (box.dy() - h) / 2;
    }
    p.target = QRect(x, y, w, h);
    return p;
}

}   // namespace pgx::views

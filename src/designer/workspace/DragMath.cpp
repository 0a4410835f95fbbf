#include "designer/workspace/DragMath.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace pgx::designer {

QPointF snappedOffset(QPointF offset, double stepX, double stepY, bool alignToGrid)
{
    if (!alignToGrid || !(stepX > 0) || !(stepY > 0))
        return offset;
    if (std::abs(offset.x()) < stepX && std::abs(offset.y()) < stepY)
        return {};
    return {std::trunc(offset.x() / stepX) * stepX, std::trunc(offset.y() / stepY) * stepY};
}

namespace {

bool near(QPointF point, QPointF handle)
{
    const QPointF d = point - handle;
    return d.x() >= -2 && d.x() <= 3 && d.y() >= -2 && d.y() <= 3;
}

Handle mirroredX(Handle h)
{
    switch (h) {
    case Handle::TopLeft: return Handle::TopRight;
    case Handle::TopRight: return Handle::TopLeft;
    case Handle::BottomLeft: return Handle::BottomRight;
    case Handle::BottomRight: return Handle::BottomLeft;
    case Handle::Left: return Handle::Right;
    case Handle::Right: return Handle::Left;
    default: return h;
    }
}

Handle mirroredY(Handle h)
{
    switch (h) {
    case Handle::TopLeft: return Handle::BottomLeft;
    case Handle::BottomLeft: return Handle::TopLeft;
    case Handle::TopRight: return Handle::BottomRight;
    case Handle::BottomRight: return Handle::TopRight;
    case Handle::Top: return Handle::Bottom;
    case Handle::Bottom: return Handle::Top;
    default: return h;
    }
}

}   // namespace

Handle handleAt(const QRectF &r, QPointF p, ShapeKind kind, bool single)
{
    const double l = r.left(), t = r.top(), w = r.width(), h = r.height();
    struct Candidate
    {
        Handle handle;
        QPointF at;
    };
    QList<Candidate> candidates;
    switch (kind) {
    case ShapeKind::HorizontalLine:
        candidates = {{Handle::Left, {l, t}}, {Handle::Right, {l + w, t}}};
        break;
    case ShapeKind::VerticalLine:
        candidates = {{Handle::Top, {l, t}}, {Handle::Bottom, {l, t + h}}};
        break;
    case ShapeKind::DiagonalLine:
        candidates = {{Handle::TopLeft, {l, t}}, {Handle::BottomRight, {l + w, t + h}}};
        break;
    case ShapeKind::Box:
        candidates = {{Handle::TopLeft, {l, t}},
                      {Handle::BottomRight, {l + w, t + h}},
                      {Handle::TopRight, {l + w, t}},
                      {Handle::BottomLeft, {l, t + h}}};
        if (single)
            candidates += {{Handle::Right, {l + w, t + h / 2}},
                           {Handle::Left, {l, t + h / 2}},
                           {Handle::Top, {l + w / 2, t}},
                           {Handle::Bottom, {l + w / 2, t + h}}};
        break;
    }
    for (const Candidate &c : candidates)
        if (near(p, c.at))
            return c.handle;
    return Handle::None;
}

SizedRect sizeByHandle(const QRectF &rect, Handle handle, QPointF d, bool isLine)
{
    double l = rect.left(), t = rect.top(), w = rect.width(), h = rect.height();
    const double dx = d.x(), dy = d.y();
    switch (handle) {
    case Handle::TopLeft:
        l += dx;
        t += dy;
        w -= dx;
        h -= dy;
        break;
    case Handle::BottomRight:
        w += dx;
        h += dy;
        break;
    case Handle::TopRight:
        t += dy;
        w += dx;
        h -= dy;
        break;
    case Handle::BottomLeft:
        l += dx;
        w -= dx;
        h += dy;
        break;
    case Handle::Right: w += dx; break;
    case Handle::Left:
        l += dx;
        w -= dx;
        break;
    case Handle::Top:
        t += dy;
        h -= dy;
        break;
    case Handle::Bottom: h += dy; break;
    case Handle::None: break;
    }
    if (isLine) {
        if (w < 0) {
            l += w;
            w = -w;
            handle = mirroredX(handle);
        }
        if (h < 0) {
            t += h;
            h = -h;
            handle = mirroredY(handle);
        }
    }
    if (l < 0)
        l = 0;
    return {QRectF(l, t, w, h), handle};
}

QList<QRectF> scaledRects(const QList<QRectF> &starts, const QRectF &bounds, QPointF bottomRight)
{
    const double right = std::max(bottomRight.x(), bounds.left());
    const double bottom = std::max(bottomRight.y(), bounds.top());
    const double kx = bounds.width() > 0 ? (right - bounds.left()) / bounds.width() : 1;
    const double ky = bounds.height() > 0 ? (bottom - bounds.top()) / bounds.height() : 1;
    QList<QRectF> result;
    for (const QRectF &s : starts)
        result << QRectF((s.left() - bounds.left()) * kx + bounds.left(),
                         (s.top() - bounds.top()) * ky + bounds.top(), s.width() * kx,
                         s.height() * ky);
    return result;
}

namespace {

// Distances along and across the direction from `from` to `to`.
struct Offsets
{
    double ahead;    // from the near edge of `from` to the near edge of `to`
    double across;   // 0 when the extents overlap across the direction
    bool inCorridor;
};

Offsets offsetsOf(const QRectF &from, const QRectF &to, Direction d)
{
    const bool horizontal = d == Direction::Left || d == Direction::Right;
    const double ahead = d == Direction::Right ? to.left() - from.right()
        : d == Direction::Left                 ? from.left() - to.right()
        : d == Direction::Down                 ? to.top() - from.bottom()
                                               : from.top() - to.bottom();
    const double lo = horizontal ? from.top() : from.left();
    const double hi = horizontal ? from.bottom() : from.right();
    const double toLo = horizontal ? to.top() : to.left();
    const double toHi = horizontal ? to.bottom() : to.right();
    const bool overlaps = toLo < hi && toHi > lo;
    const double across = overlaps ? 0 : std::min(std::abs(toLo - hi), std::abs(lo - toHi));
    return {ahead, across, overlaps};
}

}   // namespace

int nearestInDirection(const QRectF &selected, const QList<QRectF> &candidates, Direction direction)
{
    int best = -1;
    bool bestInCorridor = false;
    double bestDistance = std::numeric_limits<double>::max();
    for (int i = 0; i < candidates.size(); ++i) {
        const Offsets o = offsetsOf(selected, candidates[i], direction);
        if (o.ahead < 0)
            continue;
        double distance = 0;
        if (o.inCorridor) {
            distance = o.ahead;
        } else {
            if (o.ahead < o.across)
                continue;
            distance = std::hypot(o.ahead, o.across);
        }
        const bool better = (o.inCorridor && !bestInCorridor)
            || (o.inCorridor == bestInCorridor && distance < bestDistance);
        if (best < 0 || better) {
            best = i;
            bestInCorridor = o.inCorridor;
            bestDistance = distance;
        }
    }
    return best;
}

QRectF resizedByStep(const QRectF &rect, Direction direction, double stepX, double stepY)
{
    QRectF r = rect;
    switch (direction) {
    case Direction::Right: r.setWidth(r.width() + stepX); break;
    case Direction::Down: r.setHeight(r.height() + stepY); break;
    case Direction::Left:
        if (r.width() - stepX >= 0)
            r.setWidth(r.width() - stepX);
        break;
    case Direction::Up:
        if (r.height() - stepY >= 0)
            r.setHeight(r.height() - stepY);
        break;
    }
    return r;
}

QPointF pushedPosition(const QRectF &selected, const QList<QRectF> &candidates, Direction direction)
{
    double nearest = std::numeric_limits<double>::max();
    for (const QRectF &c : candidates) {
        const Offsets o = offsetsOf(selected, c, direction);
        if (o.inCorridor && o.ahead >= 0)
            nearest = std::min(nearest, o.ahead);
    }
    if (nearest == std::numeric_limits<double>::max())
        return selected.topLeft();
    switch (direction) {
    case Direction::Right: return selected.topLeft() + QPointF(nearest, 0);
    case Direction::Left: return selected.topLeft() - QPointF(nearest, 0);
    case Direction::Down: return selected.topLeft() + QPointF(0, nearest);
    case Direction::Up: return selected.topLeft() - QPointF(0, nearest);
    }
    return selected.topLeft();
}

}   // namespace pgx::designer

#include "report/views/TpgxShapeView.h"

#include "report/component/DiffText.h"
#include "report/views/FramePainter.h"
#include "report/views/ShapeGeometry.h"

#include <QtGui/QPainter>

TpgxShapeView::TpgxShapeView(QObject *owner) : TpgxView(owner) { }

void TpgxShapeView::initInDesigner(int flags)
{
    if (flags >= skRectangle && flags <= skDiagonal2)
        m_shape = TpgxShapeKind(flags);
}

namespace {

// Outlines cover their rectangle with the right and bottom edges, so the
// pen runs through the centres of the edge pixels.
void paintOutline(QPainter *p, const pgx::views::ShapeOutline &o)
{
    const QRectF r = QRectF(o.rect).adjusted(0.5, 0.5, -0.5, -0.5);
    switch (o.kind) {
    case pgx::views::ShapeOutline::Rect: p->drawRect(r); break;
    case pgx::views::ShapeOutline::RoundRect:
        p->drawRoundedRect(r, o.cornerDiameter / 2.0, o.cornerDiameter / 2.0);
        break;
    case pgx::views::ShapeOutline::Ellipse: p->drawEllipse(r); break;
    case pgx::views::ShapeOutline::Polygon: p->drawPolygon(o.points); break;
    case pgx::views::ShapeOutline::Line: p->drawLine(o.points.at(0), o.points.at(1)); break;
    }
}

}   // namespace

void TpgxShapeView::draw(QPainter *canvas, double scaleX, double scaleY, double offsetX,
                         double offsetY)
{
    prepareDrawing(canvas, scaleX, scaleY, offsetX, offsetY);
    const TpgxFrame *f = frame();
    const bool doubleFrame = f->style() == TpgxFrameLine::fsDouble;
    const int penWidth = qMax(1, frameWidthPixels());
    const QList<pgx::views::ShapeOutline> outlines
        = pgx::views::planShape(pgx::views::ShapeKind(m_shape), deviceBox(), m_curve, scaleX,
                                frameWidthPixels(), doubleFrame);

    canvas->save();
    QPen pen = f->color() == kClTransparent || f->width() == 0
        ? QPen(Qt::NoPen)
        : pgx::views::makePen(f->color(), penWidth,
                              doubleFrame ? TpgxFrameLine::fsSolid : f->style());
    // Opaque background: the gaps of a dashed outline show the fill.
    if (color() != kClTransparent) {
        canvas->setBackgroundMode(Qt::OpaqueMode);
        canvas->setBackground(pgx::views::toQColor(color()));
    }
    const Qt::BrushStyle hatch = hatchPattern();
    for (const pgx::views::ShapeOutline &o : outlines) {
        if (hatch != Qt::NoBrush) {
            if (color() != kClTransparent) {
                canvas->setPen(Qt::NoPen);
                canvas->setBrush(pgx::views::toQColor(color()));
                paintOutline(canvas, o);
            }
            // A hatch in a transparent frame colour is not drawn.
            canvas->setBrush(f->color() == kClTransparent
                                 ? QBrush(Qt::NoBrush)
                                 : QBrush(pgx::views::toQColor(f->color()), hatch));
        } else {
            canvas->setBrush(color() == kClTransparent ? QBrush(Qt::NoBrush)
                                                       : QBrush(pgx::views::toQColor(color())));
        }
        canvas->setPen(pen);
        paintOutline(canvas, o);
    }
    canvas->restore();
}

QString TpgxShapeView::diffAttrs(const TpgxComponent *otherComponent) const
{
    QString out = TpgxView::diffAttrs(otherComponent);
    const auto *other = qobject_cast<const TpgxShapeView *>(otherComponent);
    if (other && m_shape != other->m_shape)
        pgx::diff::appendAttr(out, QLatin1String("Shape"), QString::number(int(m_shape)));
    return out;
}

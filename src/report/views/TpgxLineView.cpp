#include "report/views/TpgxLineView.h"

#include "report/views/FramePainter.h"
#include "report/views/ShapeGeometry.h"

#include <QtGui/QPainter>

#include <cstdlib>

TpgxCustomLineView::TpgxCustomLineView(QObject *owner) : TpgxStretcheable(owner) { }

void TpgxCustomLineView::initInDesigner(int kind)
{
    m_diagonal = kind != 0;
    m_arrowEnd = kind == 2 || kind == 4;
    m_arrowStart = kind == 3 || kind == 4;
}

void TpgxCustomLineView::draw(QPainter *canvas, double scaleX, double scaleY, double offsetX,
                              double offsetY)
{
    prepareDrawing(canvas, scaleX, scaleY, offsetX, offsetY);
    const pgx::views::DeviceBox &b = deviceBox();
    const pgx::views::LineShape line = pgx::views::planLine(b, width(), height(), m_diagonal);
    const TpgxFrame *f = frame();
    canvas->save();
    if (!m_diagonal) {
        // One side of a frame of no width (or no height).
        pgx::views::DeviceBox lineBox = b;
        if (line.vertical)
            lineBox.x1 = lineBox.x;
        else
            lineBox.y1 = lineBox.y;
        const auto side = line.vertical ? TpgxFrame::ftLeft : TpgxFrame::ftTop;
        pgx::views::paintFrame(
            canvas, pgx::views::planFrame(*f, side, lineBox, scaleX, scaleY, kClTransparent));
    } else if (f->color() != kClTransparent && frameWidthPixels() > 0) {
        // One-pixel strokes side by side, across the line's shorter
        // direction.
        const auto style
            = f->style() == TpgxFrameLine::fsDouble ? TpgxFrameLine::fsSolid : f->style();
        canvas->setPen(pgx::views::makePen(f->color(), 1, style));
        const bool steep = std::abs(b.dy()) > std::abs(b.dx());
        const int w = frameWidthPixels();
        for (int i = 0; i < w; ++i) {
            const QPoint shift = steep ? QPoint(i - w / 2, 0) : QPoint(0, i - w / 2);
            canvas->drawLine(line.start + shift, line.end + shift);
        }
    }
    if (f->color() != kClTransparent) {
        if (m_arrowEnd)
            drawArrow(line.end, line.start);
        if (m_arrowStart)
            drawArrow(line.start, line.end);
    }
    canvas->restore();
}

void TpgxCustomLineView::drawArrow(QPoint tip, QPoint tail)
{
    QPainter *canvas = this->canvas();
    const TpgxFrame *f = frame();
    const QPolygon head
        = pgx::views::arrowHead(tip, tail, pgx::views::roundPixel(m_arrowLength * scaleX()),
                                pgx::views::roundPixel(m_arrowWidth * scaleX()));
    const QColor c = pgx::views::toQColor(f->color());
    if (m_arrowSolid) {
        canvas->setPen(QPen(c, 1));
        canvas->setBrush(c);
        canvas->drawPolygon(head);
        return;
    }
    canvas->setPen(
        pgx::views::makePen(f->color(), qMax(1, frameWidthPixels()), TpgxFrameLine::fsSolid));
    canvas->drawLine(head.at(1), head.at(0));
    canvas->drawLine(head.at(2), head.at(0));
}

TpgxLineView::TpgxLineView(QObject *owner) : TpgxCustomLineView(owner) { }

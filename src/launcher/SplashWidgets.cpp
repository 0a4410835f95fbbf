#include "launcher/SplashWidgets.h"

#include <QtGui/QPainter>
#include <QtWidgets/QStyle>

namespace pgx::launcher {

RectangleShape::RectangleShape(QWidget *parent) : QWidget(parent) { }

void RectangleShape::setPenWidth(int width)
{
    m_penWidth = qMax(0, width);
    update();
}

void RectangleShape::setPenColor(const QColor &color)
{
    m_penColor = color;
    update();
}

void RectangleShape::setBrushColor(const QColor &color)
{
    m_brushColor = color;
    update();
}

void RectangleShape::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setBrush(m_brushColor);
    if (m_penWidth == 0) {
        painter.setPen(Qt::NoPen);
        painter.drawRect(rect());
        return;
    }
    // The outline's centre line runs half a pen inside the bounds, so the
    // whole stroke stays inside and the shape covers exactly its rectangle.
    QPen pen(m_penColor, m_penWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    const qreal half = m_penWidth / 2.0;
    painter.drawRect(QRectF(rect()).adjusted(half, half, -half, -half));
}

QString CaptionLabel::shownText() const
{
    QString shown = text();
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

QSize CaptionLabel::sizeHint() const
{
    const QRect bounds = fontMetrics().boundingRect(QRect(), int(alignment()), shownText());
    const QMargins m = contentsMargins();
    return bounds.size().grownBy(m) + QSize(2 * margin(), 2 * margin());
}

void CaptionLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    style()->drawItemText(&painter,
                          contentsRect().adjusted(margin(), margin(), -margin(), -margin()),
                          int(alignment()), palette(), isEnabled(), shownText(), foregroundRole());
}

}   // namespace pgx::launcher

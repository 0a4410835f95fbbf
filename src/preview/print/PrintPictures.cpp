#include "preview/print/PrintPictures.h"

#include <QtGui/QPainter>
#include <QtGui/QPainterPath>

#include <algorithm>

namespace pgx::preview {

namespace {

QPixmap transparentPixmap(QSize size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A sheet with a folded corner.
void drawSheet(QPainter &painter, const QRectF &rect)
{
    const qreal fold = std::min(rect.width(), rect.height()) / 4;
    QPainterPath outline;
    outline.moveTo(rect.topLeft());
    outline.lineTo(rect.right() - fold, rect.top());
    outline.lineTo(rect.right(), rect.top() + fold);
    outline.lineTo(rect.bottomRight());
    outline.lineTo(rect.bottomLeft());
    outline.closeSubpath();
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawPath(outline);
    painter.drawLine(QPointF(rect.right() - fold, rect.top()),
                     QPointF(rect.right() - fold, rect.top() + fold));
    painter.drawLine(QPointF(rect.right() - fold, rect.top() + fold),
                     QPointF(rect.right(), rect.top() + fold));
}

// A stack of numbered sheets, the first of `numbers` in front; each sheet
// behind shows its number in the strip the one before leaves uncovered.
void drawStack(QPainter &painter, QPointF topLeft, const QStringList &numbers)
{
    constexpr qreal kWidth = 16;
    constexpr qreal kHeight = 22;
    constexpr qreal kStepX = 7;
    constexpr qreal kStepY = 4;
    for (qsizetype i = numbers.size() - 1; i >= 0; --i) {
        const QRectF sheet(topLeft + QPointF(kStepX * qreal(i), kStepY * qreal(i)),
                           QSizeF(kWidth, kHeight));
        drawSheet(painter, sheet);
        const QRectF corner(sheet.right() - kStepX, sheet.bottom() - 12, kStepX, 11);
        painter.drawText(corner, Qt::AlignCenter, numbers[i]);
    }
}

void drawArrow(QPainter &painter, qreal x, qreal y)
{
    painter.setPen(QPen(Qt::darkBlue, 2));
    painter.drawLine(QPointF(x, y), QPointF(x + 8, y));
    painter.drawLine(QPointF(x + 8, y), QPointF(x + 5, y - 3));
    painter.drawLine(QPointF(x + 8, y), QPointF(x + 5, y + 3));
}

}   // namespace

QPixmap collatePicture(bool collated)
{
    QPixmap pixmap = transparentPixmap(kCollatePictureSize);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font = painter.font();
    font.setPixelSize(9);
    painter.setFont(font);
    const QString one = QStringLiteral("1");
    const QString two = QStringLiteral("2");
    const QString three = QStringLiteral("3");
    if (collated) {
        drawStack(painter, QPointF(8, 3), {one, two, three});
        drawStack(painter, QPointF(56, 3), {one, two, three});
    } else {
        drawStack(painter, QPointF(4, 5), {one, one});
        drawStack(painter, QPointF(42, 5), {two, two});
        drawStack(painter, QPointF(80, 5), {three, three});
    }
    return pixmap;
}

QPixmap printModePicture(TpgxPrintOptions::TpgxPrintMode mode)
{
    QPixmap pixmap = transparentPixmap(kPrintModePictureSize);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal arrowX = 27;
    const qreal middle = 16;
    switch (mode) {
    case TpgxPrintOptions::pmDefault:
        drawSheet(painter, QRectF(8, 6, 15, 20));
        drawSheet(painter, QRectF(42, 6, 15, 20));
        break;
    case TpgxPrintOptions::pmSplit:
        // One big page over two sheets.
        drawSheet(painter, QRectF(1, 1, 22, 30));
        drawSheet(painter, QRectF(38, 8, 12, 16));
        drawSheet(painter, QRectF(51, 8, 12, 16));
        break;
    case TpgxPrintOptions::pmJoin:
        // Two small pages on one sheet.
        drawSheet(painter, QRectF(2, 10, 10, 13));
        drawSheet(painter, QRectF(14, 10, 10, 13));
        drawSheet(painter, QRectF(41, 6, 20, 20));
        painter.setPen(QPen(Qt::gray, 1, Qt::DotLine));
        painter.drawLine(QPointF(51, 9), QPointF(51, 24));
        break;
    case TpgxPrintOptions::pmScale:
        // A big page made to fit a smaller sheet.
        drawSheet(painter, QRectF(1, 1, 22, 30));
        drawSheet(painter, QRectF(42, 8, 12, 16));
        break;
    }
    drawArrow(painter, arrowX, middle);
    return pixmap;
}

QIcon printerIcon()
{
    QPixmap pixmap = transparentPixmap(QSize(16, 16));
    QPainter painter(&pixmap);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawRect(4, 1, 8, 5);   // paper going in
    painter.setBrush(QColor(0xB0, 0xB0, 0xB0));
    painter.drawRect(1, 6, 14, 6);   // body
    painter.setBrush(Qt::white);
    painter.drawRect(4, 10, 8, 5);   // paper coming out
    painter.setPen(Qt::darkGreen);
    painter.drawPoint(13, 8);
    return QIcon(pixmap);
}

}   // namespace pgx::preview

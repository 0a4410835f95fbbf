#include "objects/barcode/SymbolPainter.h"

#include "report/text/TextLayout.h"
#include "report/text/TextPainter.h"
#include "report/views/DeviceBox.h"

#include <QtGui/QPainter>

namespace pgx::barcode {

namespace {

pgx::text::TextOptions humanReadableOptions(int angle, TColor color)
{
    pgx::text::TextOptions o;
    o.font.name = QStringLiteral("Arial");
    o.font.size = 9;
    o.font.color = color;
    o.wordWrap = false;
    o.autoWidth = true;
    o.clipped = false;
    o.lineSpacing = 0;
    o.rotation = angle;
    return o;
}

}   // namespace

double humanReadableWidth(const QString &text)
{
    const pgx::text::TextLayout layout({text}, humanReadableOptions(0, kClBlack), 1e9);
    return layout.widestLine();
}

void paintSymbol(QPainter &painter, const SymbolLayout &layout, const QRectF &device,
                 TColor barColor, TColor spaceColor)
{
    if (layout.image.isEmpty())
        return;
    const double sx = device.width() / layout.image.width();
    const double sy = device.height() / layout.image.height();
    const auto toDevice = [&](const QRectF &r) {
        return QRectF(device.left() + r.left() * sx, device.top() + r.top() * sy,
                      r.width() * sx, r.height() * sy);
    };
    const QColor bar = pgx::views::toQColor(barColor);
    const QColor space = pgx::views::toQColor(spaceColor);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    if (space.isValid())
        painter.fillRect(device, space);
    for (const QRectF &r : layout.bars)
        painter.fillRect(toDevice(r), bar);
    const pgx::text::DeviceScale scale{sx, sy, device.left(), device.top()};
    for (const TextPiece &p : layout.pieces) {
        if (space.isValid())
            painter.fillRect(toDevice(layout.toImage.mapRect(p.strip)), space);
        const QRectF box = layout.toImage.mapRect(p.box);
        pgx::text::MemoBox memo;
        memo.left = box.left();
        memo.top = box.top();
        memo.width = box.width();
        memo.height = box.height();
        memo.gapX = 0;
        memo.gapY = 0;
        const pgx::text::TextLayout text({p.text}, humanReadableOptions(layout.angle, barColor),
                                         1e9);
        pgx::text::drawText(painter, text, memo, scale);
    }
    painter.restore();
}

}   // namespace pgx::barcode

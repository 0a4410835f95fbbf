#include "objects/barcode/SymbolLayout.h"

#include "report/views/DeviceBox.h"

#include <cmath>

namespace pgx::barcode {

namespace {

using T = TpgxBarcodeTypes;

bool isEanOrUpc(TpgxBarcodeType type)
{
    return type == T::bcCodeEAN8 || type == T::bcCodeEAN13 || type == T::bcCodeUPC_A
        || type == T::bcCodeUPC_E0 || type == T::bcCodeUPC_E1;
}

QTransform rotation(int angle, double length, double height)
{
    switch (angle) {
    case 90:
        return QTransform(0, -1, 1, 0, 0, length);
    case 180:
        return QTransform(-1, 0, 0, -1, length, height);
    case 270:
        return QTransform(0, 1, -1, 0, height, 0);
    default:
        return QTransform();
    }
}

constexpr double kStrip = 16;      // the text strip's height
constexpr double kTextTop = 14;    // the text's top above the bottom edge

void addPiece(SymbolLayout &l, double height, const QString &text, double x, double from,
              double to, double width)
{
    if (text.isEmpty())
        return;
    TextPiece p;
    p.text = text;
    p.box = QRectF(x, height - kTextTop, qMax(width, to - x), kTextTop);
    p.strip = QRectF(from, height - kStrip, to - from, kStrip);
    l.pieces.push_back(p);
}

void addPieces(SymbolLayout &l, const QString &t, TpgxBarcodeType type, double w, double h,
               const TextWidth &textWidth)
{
    const auto piece = [&](qsizetype from, qsizetype count, double x, double s0, double s1) {
        const QString part = t.mid(from, count);
        addPiece(l, h, part, x, s0, s1, part.isEmpty() ? 0 : textWidth(part));
    };
    switch (type) {
    case T::bcCodeEAN8:
        piece(0, 4, 3, 3, 31);
        piece(4, 4, 35, 35, w - 3);
        break;
    case T::bcCodeEAN13:
        if (t.left(1) != QStringLiteral("0"))
            piece(0, 1, -8, -8, -1);
        piece(1, 6, 3, 3, 45);
        piece(7, 6, 49, 49, w - 3);
        break;
    case T::bcCodeUPC_A:
        piece(0, 1, -8, -8, -1);
        piece(1, 5, 10, 10, 45);
        piece(6, 5, 49, 49, 84);
        piece(11, 1, w + 1, w + 1, w + 9);
        break;
    case T::bcCodeUPC_E0:
    case T::bcCodeUPC_E1:
        piece(0, 6, 3, 3, 45);
        piece(6, 1, w + 1, w + 1, w + 9);
        break;
    default: {
        const double tw = textWidth(t);
        addPiece(l, h, t, std::floor((w - tw) / 2), 0, w + 1, tw);
    }
    }
}

}   // namespace

int quarterTurn(double angle)
{
    if (angle == 0)
        return 0;
    if (angle == 180)
        return 180;
    return angle == 270 ? 270 : 90;
}

SymbolLayout layOutLinear(const LinearSymbol &symbol, TpgxBarcodeType type, double angle,
                          bool showText, QSizeF deviceSize, const TextWidth &textWidth)
{
    SymbolLayout l;
    l.angle = quarterTurn(angle);
    const double n = qMax(1, symbol.width);
    const bool across = l.angle == 90 || l.angle == 270;
    const double f = across ? deviceSize.height() / n : deviceSize.width() / n;
    const double other = across ? deviceSize.width() : deviceSize.height();
    const double h = f > 0 ? pgx::views::roundPixel(other / f) : 0;
    double barHeight = h;
    if (showText)
        barHeight = qMax(0.0, h - (isEanOrUpc(type) ? 7 : kStrip));
    l.image = across ? QSizeF(h, n) : QSizeF(n, h);
    l.toImage = rotation(l.angle, n, h);

    int x = 0;
    const double shortHeight = std::floor(barHeight * 2 / 5);
    for (QChar code : symbol.elements) {
        const Element e = elementOf(code, symbol.widths);
        if (e.kind == ElementKind::Bar)
            l.bars.push_back(l.toImage.mapRect(QRectF(x, 0, e.width, barHeight)));
        else if (e.kind == ElementKind::ShortBar)
            l.bars.push_back(l.toImage.mapRect(
                QRectF(x, barHeight - shortHeight, e.width, shortHeight)));
        x += e.width;
    }
    if (showText)
        addPieces(l, symbol.text, type, n, h, textWidth);
    return l;
}

SymbolLayout layOutMatrix(const MatrixSymbol &symbol, int quietZone, double angle)
{
    SymbolLayout l;
    l.angle = quarterTurn(angle);
    const int q = qMax(0, quietZone);
    const double w = symbol.width + 2 * q;
    const double h = symbol.height + 2 * q;
    l.image = (l.angle == 90 || l.angle == 270) ? QSizeF(h, w) : QSizeF(w, h);
    l.toImage = rotation(l.angle, w, h);
    for (int y = 0; y < symbol.height; ++y) {
        for (int x = 0; x < symbol.width;) {
            if (!symbol.isDark(x, y)) {
                ++x;
                continue;
            }
            int end = x;
            while (end < symbol.width && symbol.isDark(end, y))
                ++end;
            l.bars.push_back(l.toImage.mapRect(QRectF(q + x, q + y, end - x, 1)));
            x = end;
        }
    }
    return l;
}

}   // namespace pgx::barcode

#pragma once

// Where a symbol's bars (or modules), text strips and text pieces go, in
// drawing units of the symbol's image: plain geometry, computed before
// anything is painted, so tests can check it and the painter only paints.

#include "objects/barcode/LinearEncoder.h"
#include "objects/barcode/MatrixEncoder.h"

#include <QtCore/QRectF>
#include <QtGui/QTransform>

#include <functional>
#include <vector>

namespace pgx::barcode {

// One piece of the human-readable text: its box (the text starts at the
// box's start along the bars' run and is not wrapped) and the strip of
// background under it, both in image coordinates.
struct TextPiece
{
    QString text;
    QRectF box;     // unrotated: x from the piece's position, 14 units high
    QRectF strip;   // filled in the background colour before the text
};

struct SymbolLayout
{
    QSizeF image;                 // the image the symbol is drawn in, rotated
    int angle = 0;                // 0, 90, 180, 270
    QTransform toImage;           // unrotated symbol coordinates -> image
    std::vector<QRectF> bars;     // image coordinates
    std::vector<TextPiece> pieces;   // unrotated coordinates; map with toImage
};

// The angle as one of the four quarter turns the symbols are drawn at:
// 90 for 90, 180 for 180, 270 for 270 (and any other angle but 0 and 180,
// whose image is laid out along the height), else 0.
int quarterTurn(double angle);

// Measures a text in 9-point Arial, in drawing units at one unit a pixel
// at 96 dpi.
using TextWidth = std::function<double(const QString &)>;

// A linear symbol stretched into a device rectangle of `deviceSize`: the
// image is the symbol's width long and as high as the rectangle's aspect
// gives; with text the bars leave a strip of 16 units (7 for EAN and UPC,
// whose guard bars reach into it) and each piece sits on its own strip.
// PostNet's short bars stand on the baseline.
SymbolLayout layOutLinear(const LinearSymbol &symbol, TpgxBarcodeType type, double angle,
                          bool showText, QSizeF deviceSize, const TextWidth &textWidth);

// A matrix symbol with its quiet zone, one unit a module, each run of dark
// modules in a row one rectangle.
SymbolLayout layOutMatrix(const MatrixSymbol &symbol, int quietZone, double angle);

}   // namespace pgx::barcode

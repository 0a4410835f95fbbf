#pragma once

// Paints a SymbolLayout into a device rectangle: the background, every bar
// as a filled rectangle at its exact position (no pen, no smoothing, so a
// symbol drawn at whole device pixels per module has sharp edges), the text
// strips and the text through the report's text path.

#include "objects/barcode/SymbolLayout.h"
#include "report/component/Units.h"

class QPainter;

namespace pgx::barcode {

void paintSymbol(QPainter &painter, const SymbolLayout &layout, const QRectF &device,
                 TColor barColor, TColor spaceColor);

// The human-readable text's width in 9-point Arial at one drawing unit a
// pixel, measured as the text layout measures it.
double humanReadableWidth(const QString &text);

}   // namespace pgx::barcode

#pragma once

// The device rectangle a view draws into, and the rounding every drawing
// step shares.
#include "report/component/Units.h"

#include <QtCore/QRectF>
#include <QtGui/QColor>

namespace pgx::views {

// Device pixels from report units: nearest whole number, ties to even.
int roundPixel(double value);

// The platform colour a model colour stands for (system codes resolved);
// an invalid QColor for clTransparent.
QColor toQColor(TColor color);

// X, Y, X1, Y1 of a view on the device. X1 and Y1 are the right and bottom
// edges themselves (the frame is drawn on them), so the view covers
// DX + 1 by DY + 1 pixels.
struct DeviceBox
{
    int x = 0;
    int y = 0;
    int x1 = 0;
    int y1 = 0;
    int dx() const { return x1 - x; }
    int dy() const { return y1 - y; }

    bool operator==(const DeviceBox &) const = default;
};

// Maps `bounds` (absolute position and size in report units) through scale
// and offset; a drop shadow of `shadowWidth` report units (0 for none) takes
// its width off the right and bottom edges, so that box plus shadow stay
// inside the view's bounds.
DeviceBox deviceBox(const QRectF &bounds, double scaleX, double scaleY, double offsetX,
                    double offsetY, double shadowWidth = 0);

}   // namespace pgx::views

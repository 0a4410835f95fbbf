#include "report/views/DeviceBox.h"

#include "platform/format/NumberText.h"
#include "report/component/SystemColors.h"

#include <climits>

namespace pgx::views {

int roundPixel(double value)
{
    // Far outside any device; clamped so that the conversion stays defined.
    constexpr double kLimit = INT_MAX / 4;
    return int(pgx::format::roundHalfEven(qBound(-kLimit, value, kLimit)));
}

QColor toQColor(TColor color)
{
    if (color == kClTransparent)
        return QColor();
    const TColor rgb = pgxColorToRGB(color);
    return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

DeviceBox deviceBox(const QRectF &bounds, double scaleX, double scaleY, double offsetX,
                    double offsetY, double shadowWidth)
{
    DeviceBox box;
    box.x = roundPixel(offsetX + scaleX * bounds.left());
    box.y = roundPixel(offsetY + scaleY * bounds.top());
    box.x1 = roundPixel(offsetX + scaleX * (bounds.left() + bounds.width()));
    box.y1 = roundPixel(offsetY + scaleY * (bounds.top() + bounds.height()));
    if (shadowWidth != 0) {
        box.x1 -= roundPixel(shadowWidth * scaleX);
        box.y1 -= roundPixel(shadowWidth * scaleY);
    }
    return box;
}

}   // namespace pgx::views

#include "report/text/TextCapture.h"

#include "report/text/TextLayout.h"
#include "report/text/TextPlacement.h"

#include <QtGui/QTransform>

#include <algorithm>

namespace pgx::text {

TextCapture::TextCapture() : m_outer(tCurrent)
{
    tCurrent = this;
}

TextCapture::~TextCapture()
{
    Q_ASSERT(tCurrent == this);
    tCurrent = m_outer;
}

void TextCapture::record(const TextLayout &layout, const TextPlacement &placement,
                         const QTransform &toDevice)
{
    const TextOptions &o = layout.options();
    // The lines step by the memo font's height; a line of smaller
    // subscripts still takes that room.
    const FaceMetrics &face
        = FaceMetrics::get(fontFileFor(o.font.name, o.font.style), placement.fontPixelSize);
    for (const PlacedLine &placed : placement.lines) {
        const LayoutLine &line = layout.lines()[size_t(placed.line)];
        const QStringView text = QStringView(layout.text()).mid(line.begin, line.end - line.begin);
        // An empty memo lays out as a blank: nothing anyone could find.
        if (text.trimmed().isEmpty() || placed.x.empty())
            continue;
        // Right-to-left lines run from their right end: the edges are the
        // extremes, not the first and last characters.
        int left = placed.x.front();
        int right = left;
        for (size_t i = 0; i < placed.x.size(); ++i) {
            left = std::min(left, placed.x[i]);
            right = std::max(right, placed.x[i] + placed.widths[i]);
        }
        const QRectF box(left, placed.top, right - left, face.height());
        m_lines.append({text.toString(), toDevice.mapRect(box)});
    }
}

}   // namespace pgx::text

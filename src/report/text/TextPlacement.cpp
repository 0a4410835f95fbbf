#include "report/text/TextPlacement.h"

#include "platform/format/NumberText.h"
#include "report/text/EvenSpread.h"
#include "report/text/HtmlTags.h"

#include <numeric>

namespace pgx::text {

namespace {

int nint(double value)
{
    return int(format::roundHalfEven(value));
}

// Text space onto the device: the rectangle's top left for unrotated text;
// the corner the text starts from for quarter turns; otherwise a turn about
// the rectangle's centre.
QTransform textToDevice(int rotation, const DeviceRect &r, int width, int height)
{
    QTransform t;
    switch (rotation) {
    case 0: t.translate(r.left, r.top); break;
    case 90: t.translate(r.left, r.bottom).rotate(-90); break;
    case 180: t.translate(r.right, r.bottom).rotate(180); break;
    case 270: t.translate(r.right, r.top).rotate(90); break;
    default:
        t.translate((r.left + r.right) / 2.0, (r.top + r.bottom) / 2.0)
            .rotate(-rotation)
            .translate(-width / 2.0, -height / 2.0);
        break;
    }
    return t;
}

// The device advances of one line: the layout's scaled, or the device
// font's own without Wysiwyg.
std::vector<int> deviceAdvances(const TextLayout &layout, const LayoutLine &line, double along,
                                int fontPixelSize, int smallPixelSize)
{
    const TextOptions &o = layout.options();
    std::vector<int> out(size_t(line.end - line.begin));
    if (o.wysiwyg) {
        for (int i = line.begin; i < line.end; ++i)
            out[size_t(i - line.begin)] = nint(layout.advance(i) * along / kLayoutFactor);
        const int target = nint(line.width * along / kLayoutFactor);
        spreadEvenly(target - std::accumulate(out.begin(), out.end(), 0), out);
        return out;
    }
    const int spacing = nint(o.charSpacing * along);
    const QString &text = layout.text();
    qint64 extent64 = 0;
    int extent = 0;
    for (int i = line.begin; i < line.end; ++i) {
        const QChar c = text[i];
        if (c.isLowSurrogate() && i > line.begin && text[i - 1].isHighSurrogate())
            continue;
        char32_t codePoint = c.unicode();
        if (c.isHighSurrogate() && i + 1 < line.end && text[i + 1].isLowSurrogate())
            codePoint = QChar::surrogateToUcs4(c, text[i + 1]);
        const CharFormat &f = layout.format(i);
        const bool small = f.size != o.font.size;
        const FaceMetrics &face = FaceMetrics::get(fontFileFor(o.font.name, f.style),
                                                   small ? smallPixelSize : fontPixelSize);
        extent64 += face.glyph(codePoint).advance64;
        const int next = pixelsFrom64(extent64);
        out[size_t(i - line.begin)] = next - extent + spacing;
        extent = next;
    }
    return out;
}

}   // namespace

TextPlacement placeText(const TextLayout &layout, const MemoBox &box, const DeviceScale &scale)
{
    const TextOptions &o = layout.options();
    const int rotation = o.normalizedRotation();
    const bool turned = o.runsAlongHeight();
    TextPlacement p;
    p.objectRect = box.objectRect(scale);
    p.textRect = box.textRect(scale);
    p.width = turned ? p.textRect.height() : p.textRect.width();
    p.height = turned ? p.textRect.width() : p.textRect.height();
    p.toDevice = textToDevice(rotation, p.textRect, p.width, p.height);
    p.scaleAlong = turned ? scale.scaleY : scale.scaleX;
    p.scaleAcross = turned ? scale.scaleX : scale.scaleY;
    // Font sizes on the device: points at 96 pixels per inch, scaled.
    p.fontPixelSize = pixelSizeAt(o.font.size * p.scaleAcross, 96);
    const int smallPixelSize = pixelSizeAt(smallSize(o.font.size) * p.scaleAcross, 96);

    // Line steps.
    const int count = layout.lineCount();
    const FaceMetrics &face
        = FaceMetrics::get(fontFileFor(o.font.name, o.font.style), p.fontPixelSize);
    std::vector<int> steps(size_t(count), nint(face.height() + o.lineSpacing * p.scaleAcross));
    if (o.wysiwyg) {
        const int target = nint(count * layout.lineHeight() * p.scaleAcross);
        spreadEvenly(target - std::accumulate(steps.begin(), steps.end(), 0), steps);
    }
    p.textHeight = std::accumulate(steps.begin(), steps.end(), 0);
    const int free = p.height - p.textHeight;
    int y = 0;
    if (o.vAlign == VAlign::Bottom)
        y = free;
    else if (o.vAlign == VAlign::Center)
        y = nint(free / 2.0);

    const bool boldOrItalic = o.font.style & (kBold | kItalic);
    const QString &text = layout.text();
    p.lines.reserve(size_t(count));
    for (int n = 0; n < count; ++n) {
        const LayoutLine &line = layout.lines()[size_t(n)];
        PlacedLine placed;
        placed.line = n;
        placed.top = y;
        y += steps[size_t(n)];
        placed.widths = deviceAdvances(layout, line, p.scaleAlong, p.fontPixelSize, smallPixelSize);
        std::vector<int> &w = placed.widths;
        const bool first = line.flags & kFirstOfParagraph;
        const bool last = line.flags & kLastOfParagraph;
        const int indent = first && (o.hAlign == HAlign::Left || o.hAlign == HAlign::Block)
            ? nint(o.paragraphGap * p.scaleAlong)
            : 0;
        int lineWidth = std::accumulate(w.begin(), w.end(), 0);
        int x0 = indent;
        switch (o.hAlign) {
        case HAlign::Left: break;
        case HAlign::Right:
            x0 = p.width - lineWidth - (boldOrItalic && rotation == 0 ? 1 : 0);
            break;
        case HAlign::Center: x0 = nint((p.width - lineWidth) / 2.0); break;
        case HAlign::Block:
            if (last) {
                if (o.rtlReading)
                    x0 = p.width - lineWidth;
            } else {
                std::vector<int> blanks;
                for (int i = line.begin; i < line.end; ++i)
                    if (text[i] == u' ' || text[i] == QChar(0xA0))
                        blanks.push_back(i - line.begin);
                const int extra = p.width - indent - lineWidth;
                if (extra > 0 && !blanks.empty()) {
                    std::vector<int> add(blanks.size(), 0);
                    spreadEvenly(extra, add);
                    for (size_t b = 0; b < blanks.size(); ++b)
                        w[size_t(blanks[b])] += add[b];
                    lineWidth += extra;
                }
            }
            break;
        }
        placed.x.resize(w.size());
        int x = 0;
        for (size_t i = 0; i < w.size(); ++i) {
            placed.x[i] = o.rtlReading ? x0 + lineWidth - x - w[i] : x0 + x;
            x += w[i];
        }
        p.lines.push_back(std::move(placed));
    }

    // Underlines: below each text line's place, across the whole object.
    if (o.underlines && rotation == 0) {
        const double h = layout.lineHeight();
        p.underlineWidth = std::max(1, nint(box.frameWidth * scale.scaleY));
        const double top = scale.offsetY + scale.scaleY * box.top;
        const double bottom = scale.offsetY + scale.scaleY * (box.top + box.height);
        for (double at = top + (box.gapY - o.lineSpacing + 1 + h) * scale.scaleY; at < bottom;
             at += h * scale.scaleY)
            p.underlineY.push_back(nint(at));
    }
    return p;
}

}   // namespace pgx::text

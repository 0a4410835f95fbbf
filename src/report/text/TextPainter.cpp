#include "report/text/TextPainter.h"

#include "platform/format/NumberText.h"
#include "report/component/SystemColors.h"
#include "report/text/HtmlTags.h"
#include "report/text/TextCapture.h"

#include <QtGui/QFontDatabase>
#include <QtGui/QGlyphRun>

#include <QtGui/QPainter>
#include <algorithm>
#include <cmath>

#include <map>
#include <mutex>

namespace pgx::text {

namespace {

QColor toQColor(TColor color)
{
    const TColor rgb = pgxColorToRGB(color);
    return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

// The raw font drawing `face`: the font the application registered from
// the face's file, which paint engines know as a font (a PDF embeds it);
// the raw font of the file itself when the registered one turns out to be
// another file's (the same glyph indexes are only certain in the file the
// layout measured).
QRawFont drawingFont(const FaceMetrics &face, bool fallback)
{
    static std::mutex lock;
    static std::map<std::pair<QString, int>, QRawFont> *fonts
        = new std::map<std::pair<QString, int>, QRawFont>;   // outlives painters in statics
    static std::map<QString, QString> *families = new std::map<QString, QString>;

    const QRawFont &own = face.rawFont(fallback);
    const FontFile &file = fallback
        ? fallbackFontFile((face.file().bold ? kBold : 0) | (face.file().italic ? kItalic : 0))
        : face.file();
    std::lock_guard guard(lock);
    auto found = fonts->find({file.path, face.pixelSize()});
    if (found != fonts->end())
        return found->second;
    auto family = families->find(file.path);
    if (family == families->end()) {
        const int id = QFontDatabase::addApplicationFont(file.path);
        const QStringList names = QFontDatabase::applicationFontFamilies(id);
        family = families->emplace(file.path, names.value(0)).first;
    }
    QRawFont result = own;
    if (!family->second.isEmpty()) {
        QFont font(family->second);
        font.setPixelSize(face.pixelSize());
        font.setBold(file.bold);
        font.setItalic(file.italic);
        font.setKerning(false);
        font.setHintingPreference(QFont::PreferNoHinting);
        font.setStyleStrategy(QFont::NoFontMerging);
        const QRawFont registered = QRawFont::fromFont(font);
        if (registered.isValid() && registered.familyName() == own.familyName()
            && registered.styleName() == own.styleName())
            result = registered;
    }
    fonts->emplace(std::make_pair(file.path, face.pixelSize()), result);
    return result;
}

}   // namespace

void drawText(QPainter &painter, const TextLayout &layout, const TextPlacement &placement,
              const MemoBox &box)
{
    const TextOptions &o = layout.options();
    const QString &text = layout.text();
    const int smallPixelSize = pixelSizeAt(smallSize(o.font.size) * placement.scaleAcross, 96);
    painter.save();
    if (o.clipped) {
        const DeviceRect &c = placement.objectRect;
        painter.setClipRect(QRect(c.left, c.top, c.width(), c.height()), Qt::IntersectClip);
    }
    painter.setTransform(placement.toDevice, true);
    if (TextCapture *capture = TextCapture::current()) [[unlikely]]
        capture->record(layout, placement, painter.combinedTransform());

    QList<quint32> indexes;
    QList<QPointF> positions;
    for (const PlacedLine &placed : placement.lines) {
        const LayoutLine &line = layout.lines()[size_t(placed.line)];
        int i = line.begin;
        while (i < line.end) {
            // One run: equal format and the same face.
            const int formatIndex = layout.formatIndex(i);
            const CharFormat &f = layout.format(i);
            const bool small = f.size != o.font.size;
            const FaceMetrics &face
                = FaceMetrics::get(fontFileFor(o.font.name, f.style),
                                   small ? smallPixelSize : placement.fontPixelSize);
            const int lowered
                = f.lowered ? int(format::roundHalfEven(f.size * placement.scaleAcross)) : 0;
            const double baseline = placed.top + face.ascent() + lowered;
            indexes.clear();
            positions.clear();
            bool fallback = false;
            bool runStarted = false;
            int runRight = 0;
            for (; i < line.end && layout.formatIndex(i) == formatIndex; ++i) {
                const QChar c = text[i];
                if (c.isLowSurrogate())
                    continue;
                char32_t codePoint = c.unicode();
                if (c.isHighSurrogate() && i + 1 < line.end && text[i + 1].isLowSurrogate())
                    codePoint = QChar::surrogateToUcs4(c, text[i + 1]);
                const FaceMetrics::Glyph &g = face.glyph(codePoint);
                if (runStarted && g.fallback != fallback)
                    break;
                fallback = g.fallback;
                runStarted = true;
                indexes.append(g.index);
                const size_t at = size_t(i - line.begin);
                positions.append(QPointF(placed.x[at], baseline));
                runRight = placed.x[at] + placed.widths[at];
            }
            if (indexes.isEmpty())
                continue;
            QGlyphRun run;
            const QRawFont raw = drawingFont(face, fallback);
            run.setRawFont(raw);
            run.setGlyphIndexes(indexes);
            run.setPositions(positions);
            const QColor color = toQColor(f.color);
            painter.setPen(color);
            painter.drawGlyphRun(QPointF(0, 0), run);
            // Qt draws a glyph run's own decorations from the run's origin
            // rather than from its first glyph: they are drawn here, across
            // the characters' device advances.
            if (f.style & (kUnderline | kStrikeOut)) {
                const double thickness = std::max(1.0, std::round(raw.lineThickness()));
                const double left = positions.front().x();
                if (f.style & kUnderline)
                    painter.fillRect(QRectF(left, std::round(baseline + raw.underlinePosition()),
                                            runRight - left, thickness),
                                     color);
                if (f.style & kStrikeOut)
                    painter.fillRect(QRectF(left, std::round(baseline - raw.xHeight() / 2),
                                            runRight - left, thickness),
                                     color);
            }
        }
    }
    painter.restore();

    if (!placement.underlineY.empty()) {
        painter.save();
        painter.setPen(
            QPen(toQColor(box.frameColor), placement.underlineWidth, Qt::SolidLine, Qt::FlatCap));
        for (int y : placement.underlineY)
            painter.drawLine(QPoint(placement.objectRect.left, y),
                             QPoint(placement.objectRect.right, y));
        painter.restore();
    }
}

void drawText(QPainter &painter, const TextLayout &layout, const MemoBox &box,
              const DeviceScale &scale)
{
    drawText(painter, layout, placeText(layout, box, scale), box);
}

}   // namespace pgx::text

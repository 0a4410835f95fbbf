#include "support/RecordingPaintDevice.h"

#include <QtGui/QPaintEngine>
#include <QtGui/QPainterPath>
#include <QtGui/QTextItem>

#include <cmath>

namespace pgx::test {

namespace {

int pixel(qreal v)
{
    return int(std::floor(v + 1e-9));
}

QString pointText(const QPointF &p)
{
    return QStringLiteral("%1,%2").arg(pixel(p.x())).arg(pixel(p.y()));
}

// A rectangle as the pixels of its corners: left, top to right, bottom.
QString rectText(const QRectF &r)
{
    return pointText(r.topLeft()) + QLatin1Char('-') + pointText(r.bottomRight());
}

QString colorText(const QColor &c)
{
    if (!c.isValid())
        return QStringLiteral("none");
    return c.alpha() == 255 ? c.name() : c.name(QColor::HexArgb);
}

const char *penStyleName(Qt::PenStyle s)
{
    switch (s) {
    case Qt::NoPen: return "none";
    case Qt::SolidLine: return "solid";
    case Qt::DashLine: return "dash";
    case Qt::DotLine: return "dot";
    case Qt::DashDotLine: return "dashdot";
    case Qt::DashDotDotLine: return "dashdotdot";
    default: return "custom";
    }
}

const char *brushStyleName(Qt::BrushStyle s)
{
    switch (s) {
    case Qt::NoBrush: return "none";
    case Qt::SolidPattern: return "solid";
    case Qt::HorPattern: return "horizontal";
    case Qt::VerPattern: return "vertical";
    case Qt::CrossPattern: return "cross";
    case Qt::BDiagPattern: return "bdiagonal";
    case Qt::FDiagPattern: return "fdiagonal";
    case Qt::DiagCrossPattern: return "diagcross";
    default: return "other";
    }
}

}   // namespace

class RecordingPaintEngine : public QPaintEngine
{
public:
    RecordingPaintEngine() : QPaintEngine(QPaintEngine::AllFeatures) { }

    QStringList lines;

    bool begin(QPaintDevice *) override
    {
        m_pen.clear();
        m_brush.clear();
        m_background.clear();
        m_clip.clear();
        m_transform = QTransform();
        return true;
    }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }

    void updateState(const QPaintEngineState &state) override
    {
        const QPaintEngine::DirtyFlags flags = state.state();
        if (flags & DirtyTransform)
            m_transform = state.transform();
        if (flags & DirtyPen) {
            const QPen &p = state.pen();
            QString text = QStringLiteral("pen ") + QLatin1String(penStyleName(p.style()));
            if (p.style() != Qt::NoPen)
                text += QLatin1Char(' ') + colorText(p.color()) + QStringLiteral(" width ")
                    + QString::number(p.widthF());
            setOnce(m_pen, text);
        }
        if (flags & DirtyBrush) {
            const QBrush &b = state.brush();
            QString text = QStringLiteral("brush ") + QLatin1String(brushStyleName(b.style()));
            if (b.style() != Qt::NoBrush)
                text += QLatin1Char(' ') + colorText(b.color());
            setOnce(m_brush, text);
        }
        if (flags & (DirtyBackground | DirtyBackgroundMode)) {
            const QString text = state.backgroundMode() == Qt::OpaqueMode
                ? QStringLiteral("background ") + colorText(state.backgroundBrush().color())
                : QStringLiteral("background transparent");
            setOnce(m_background, text);
        }
        if (flags & (DirtyClipRegion | DirtyClipPath | DirtyClipEnabled)) {
            QString text = QStringLiteral("clip off");
            if (state.isClipEnabled() && state.clipOperation() != Qt::NoClip) {
                const QRectF r = (flags & DirtyClipPath)
                    ? state.clipPath().boundingRect()
                    : QRectF(state.clipRegion().boundingRect());
                text = QStringLiteral("clip ") + rectText(m_transform.mapRect(r));
            }
            setOnce(m_clip, text);
        }
    }

    void drawRects(const QRectF *rects, int count) override
    {
        for (int i = 0; i < count; ++i)
            lines << QStringLiteral("rect ") + rectText(m_transform.mapRect(rects[i]));
    }
    void drawLines(const QLineF *l, int count) override
    {
        for (int i = 0; i < count; ++i)
            lines << QStringLiteral("line ") + pointText(m_transform.map(l[i].p1()))
                    + QLatin1Char('-') + pointText(m_transform.map(l[i].p2()));
    }
    void drawEllipse(const QRectF &r) override
    {
        lines << QStringLiteral("ellipse ") + rectText(m_transform.mapRect(r));
    }
    void drawPolygon(const QPointF *points, int count, PolygonDrawMode mode) override
    {
        QStringList parts;
        for (int i = 0; i < count; ++i)
            parts << pointText(m_transform.map(points[i]));
        lines << QLatin1String(mode == PolylineMode ? "polyline " : "polygon ")
                + parts.join(QLatin1Char(' '));
    }
    void drawPath(const QPainterPath &path) override
    {
        lines << QStringLiteral("path %1 elements ").arg(path.elementCount())
                + rectText(m_transform.map(path).boundingRect());
    }
    void drawPoints(const QPointF *points, int count) override
    {
        for (int i = 0; i < count; ++i)
            lines << QStringLiteral("point ") + pointText(m_transform.map(points[i]));
    }
    void drawPixmap(const QRectF &r, const QPixmap &pm, const QRectF &) override
    {
        lines << QStringLiteral("pixmap %1x%2 ").arg(pm.width()).arg(pm.height())
                + rectText(m_transform.mapRect(r));
    }
    void drawImage(const QRectF &r, const QImage &image, const QRectF &,
                   Qt::ImageConversionFlags) override
    {
        lines << QStringLiteral("image %1x%2 ").arg(image.width()).arg(image.height())
                + rectText(m_transform.mapRect(r));
    }
    void drawTextItem(const QPointF &p, const QTextItem &item) override
    {
        // Glyph runs reach an engine as items without characters (and
        // without their font): their position is what a recording can tell.
        if (item.text().isEmpty())
            lines << QStringLiteral("glyphs ") + pointText(m_transform.map(p));
        else
            lines << QStringLiteral("text ") + pointText(m_transform.map(p)) + QStringLiteral(" \"")
                    + item.text() + QLatin1Char('"');
    }

private:
    // State lines are written only when they change what was in force.
    void setOnce(QString &current, const QString &text)
    {
        if (current == text)
            return;
        current = text;
        lines << text;
    }

    QString m_pen;
    QString m_brush;
    QString m_background;
    QString m_clip;
    QTransform m_transform;
};

RecordingPaintDevice::RecordingPaintDevice(QSize size)
    : m_size(size), m_engine(std::make_unique<RecordingPaintEngine>())
{ }

RecordingPaintDevice::~RecordingPaintDevice() = default;

QPaintEngine *RecordingPaintDevice::paintEngine() const
{
    return m_engine.get();
}

QString RecordingPaintDevice::log() const
{
    QString text;
    for (const QString &line : m_engine->lines)
        text += line + QLatin1Char('\n');
    return text;
}

const QStringList &RecordingPaintDevice::lines() const
{
    return m_engine->lines;
}

void RecordingPaintDevice::clear()
{
    m_engine->lines.clear();
}

int RecordingPaintDevice::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth: return m_size.width();
    case PdmHeight: return m_size.height();
    case PdmWidthMM: return int(m_size.width() * 25.4 / 96);
    case PdmHeightMM: return int(m_size.height() * 25.4 / 96);
    case PdmNumColors: return INT_MAX;
    case PdmDepth: return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY: return 96;
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
    }
    return 0;
}

}   // namespace pgx::test

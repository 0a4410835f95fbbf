#include "preview/find/NullPaintDevice.h"

#include <QtGui/QPaintEngine>

namespace pgx::preview {

class NullPaintEngine final : public QPaintEngine
{
public:
    // Every feature, so that QPainter never emulates one by rasterising.
    NullPaintEngine() : QPaintEngine(QPaintEngine::AllFeatures) { }

    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }
    void updateState(const QPaintEngineState &) override { }

    void drawRects(const QRect *, int) override { }
    void drawRects(const QRectF *, int) override { }
    void drawLines(const QLine *, int) override { }
    void drawLines(const QLineF *, int) override { }
    void drawEllipse(const QRectF &) override { }
    void drawEllipse(const QRect &) override { }
    void drawPath(const QPainterPath &) override { }
    void drawPoints(const QPointF *, int) override { }
    void drawPoints(const QPoint *, int) override { }
    void drawPolygon(const QPointF *, int, PolygonDrawMode) override { }
    void drawPolygon(const QPoint *, int, PolygonDrawMode) override { }
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override { }
    void drawTextItem(const QPointF &, const QTextItem &) override { }
    void drawTiledPixmap(const QRectF &, const QPixmap &, const QPointF &) override { }
    void drawImage(const QRectF &, const QImage &, const QRectF &,
                   Qt::ImageConversionFlags) override
    { }
};

NullPaintDevice::NullPaintDevice() : m_engine(std::make_unique<NullPaintEngine>()) { }

NullPaintDevice::~NullPaintDevice() = default;

QPaintEngine *NullPaintDevice::paintEngine() const
{
    return m_engine.get();
}

int NullPaintDevice::metric(PaintDeviceMetric metric) const
{
    // Large enough for any page at zoom 1, at the report's 96 dpi.
    constexpr int kSide = 1 << 20;
    switch (metric) {
    case PdmWidth:
    case PdmHeight: return kSide;
    case PdmWidthMM:
    case PdmHeightMM: return int(kSide * 25.4 / 96);
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY: return 96;
    case PdmDepth: return 32;
    case PdmNumColors: return 1 << 24;
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
    default: return QPaintDevice::metric(metric);
    }
}

}   // namespace pgx::preview

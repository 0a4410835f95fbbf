#pragma once

#include <QtGui/QPaintDevice>

#include <memory>

namespace pgx::preview {

class NullPaintEngine;

// A device that keeps nothing of what is painted on it: drawing a page
// onto it costs the page's layout and none of its pixels. Text capture
// (report/text/TextCapture.h) reads the text from the drawing itself.
class NullPaintDevice : public QPaintDevice
{
public:
    NullPaintDevice();
    ~NullPaintDevice() override;

    QPaintEngine *paintEngine() const override;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    std::unique_ptr<NullPaintEngine> m_engine;
};

}   // namespace pgx::preview

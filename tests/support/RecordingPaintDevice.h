#pragma once

// A paint device that writes down what is painted on it: every call of its
// paint engine becomes one line of text with integer device coordinates
// (points rounded down to the pixel they fall in), and every change of pen,
// brush, background or clip one line before the drawing it applies to.
// Tests compare the lines with golden files.
#include <QtCore/QSize>
#include <QtCore/QStringList>
#include <QtGui/QPaintDevice>

#include <memory>

namespace pgx::test {

class RecordingPaintEngine;

class RecordingPaintDevice : public QPaintDevice
{
public:
    explicit RecordingPaintDevice(QSize size = QSize(2000, 2000));
    ~RecordingPaintDevice() override;

    QPaintEngine *paintEngine() const override;
    // The recorded lines, each ending in LF.
    QString log() const;
    const QStringList &lines() const;
    void clear();

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QSize m_size;
    std::unique_ptr<RecordingPaintEngine> m_engine;
};

}   // namespace pgx::test

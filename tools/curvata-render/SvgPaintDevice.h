#pragma once

#include <QPaintDevice>
#include <QSize>
#include <QString>
#include <memory>

class SvgPaintEngine;

// A paint device that records lines, polylines, rectangles, ellipses, paths,
// images and texts as an SVG document, so that charts can go into reports
// as scalable pictures. One pixel of the device is one SVG user unit.
class SvgPaintDevice : public QPaintDevice
{
public:
    explicit SvgPaintDevice(QSize size);
    ~SvgPaintDevice() override;

    QPaintEngine* paintEngine() const override;
    QSize size() const { return m_size; }
    // The document as drawn so far (complete after the painter ended).
    QString document() const;
    bool save(const QString& file, QString* error) const;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QSize m_size;
    std::unique_ptr<SvgPaintEngine> m_engine;
};

#include "SvgPaintDevice.h"

#include <QBuffer>
#include <QImage>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPixmap>
#include <QSaveFile>
#include <QTextItem>

namespace {

QString number(qreal v)
{
    return QString::number(v, 'g', 7);
}

QString colour(const QColor& c)
{
    return c.name(QColor::HexRgb);
}

QString escaped(const QString& text)
{
    return text.toHtmlEscaped();
}

QString matrix(const QTransform& t)
{
    if (t.isIdentity())
        return QString();
    return QStringLiteral(" transform=\"matrix(%1 %2 %3 %4 %5 %6)\"")
        .arg(number(t.m11()), number(t.m12()), number(t.m21()), number(t.m22()), number(t.dx()),
             number(t.dy()));
}

} // namespace

// Writes one SVG element per drawing call; pen, brush, font and transform
// are taken from the painter's state at that moment.
class SvgPaintEngine : public QPaintEngine
{
public:
    SvgPaintEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}

    QString body;

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }

    void updateState(const QPaintEngineState& state) override
    {
        const QPaintEngine::DirtyFlags flags = state.state();
        if (flags & DirtyPen)
            m_pen = state.pen();
        if (flags & DirtyBrush)
            m_brush = state.brush();
        if (flags & DirtyTransform)
            m_transform = state.transform();
        if (flags & DirtyFont)
            m_font = state.font();
    }

    void drawLines(const QLineF* lines, int count) override
    {
        if (m_pen.style() == Qt::NoPen)
            return;
        for (int i = 0; i < count; ++i)
            body += QStringLiteral("<line x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%4\"%5%6/>\n")
                        .arg(number(lines[i].x1()), number(lines[i].y1()), number(lines[i].x2()),
                             number(lines[i].y2()), stroke(), matrix(m_transform));
    }

    void drawRects(const QRectF* rects, int count) override
    {
        for (int i = 0; i < count; ++i)
            body += QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\"%5%6%7/>\n")
                        .arg(number(rects[i].x()), number(rects[i].y()), number(rects[i].width()),
                             number(rects[i].height()), fill(), stroke(), matrix(m_transform));
    }

    void drawEllipse(const QRectF& r) override
    {
        body += QStringLiteral("<ellipse cx=\"%1\" cy=\"%2\" rx=\"%3\" ry=\"%4\"%5%6%7/>\n")
                    .arg(number(r.center().x()), number(r.center().y()), number(r.width() / 2),
                         number(r.height() / 2), fill(), stroke(), matrix(m_transform));
    }

    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override
    {
        QString list;
        for (int i = 0; i < count; ++i)
            list +=
                number(points[i].x()) + QLatin1Char(',') + number(points[i].y()) + QLatin1Char(' ');
        const bool line = mode == PolylineMode;
        body += QStringLiteral("<%1 points=\"%2\"%3%4%5/>\n")
                    .arg(line ? QStringLiteral("polyline") : QStringLiteral("polygon"),
                         list.trimmed(), line ? QStringLiteral(" fill=\"none\"") : fill(), stroke(),
                         matrix(m_transform));
    }

    void drawPath(const QPainterPath& path) override
    {
        QString d;
        for (int i = 0; i < path.elementCount(); ++i) {
            const QPainterPath::Element e = path.elementAt(i);
            const QString xy = number(e.x) + QLatin1Char(',') + number(e.y) + QLatin1Char(' ');
            if (e.isMoveTo())
                d += QLatin1Char('M') + xy;
            else if (e.isLineTo())
                d += QLatin1Char('L') + xy;
            else if (e.type == QPainterPath::CurveToElement)
                d += QLatin1Char('C') + xy;
            else
                d += xy;
        }
        body += QStringLiteral("<path d=\"%1\"%2%3%4/>\n")
                    .arg(d.trimmed(), fill(), stroke(), matrix(m_transform));
    }

    void drawTextItem(const QPointF& p, const QTextItem& item) override
    {
        const QFont font = item.font();
        const qreal size = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * 96 / 72;
        body +=
            QStringLiteral("<text x=\"%1\" y=\"%2\" font-family=\"%3\" font-size=\"%4\" "
                           "font-weight=\"%5\" fill=\"%6\" xml:space=\"preserve\"%7>%8</text>\n")
                .arg(number(p.x()), number(p.y()), escaped(font.family()), number(size))
                .arg(int(font.weight()))
                .arg(colour(m_pen.color()), matrix(m_transform), escaped(item.text()));
    }

    void drawImage(const QRectF& r, const QImage& image, const QRectF& source,
                   Qt::ImageConversionFlags) override
    {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.copy(source.toAlignedRect()).save(&buffer, "PNG");
        body += QStringLiteral("<image x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\"%5 "
                               "href=\"data:image/png;base64,%6\"/>\n")
                    .arg(number(r.x()), number(r.y()), number(r.width()), number(r.height()),
                         matrix(m_transform), QString::fromLatin1(png.toBase64()));
    }

    void drawPixmap(const QRectF& r, const QPixmap& pixmap, const QRectF& source) override
    {
        drawImage(r, pixmap.toImage(), source, Qt::AutoColor);
    }

private:
    QString stroke() const
    {
        if (m_pen.style() == Qt::NoPen)
            return QStringLiteral(" stroke=\"none\"");
        QString s =
            QStringLiteral(" stroke=\"%1\" stroke-width=\"%2\"")
                .arg(colour(m_pen.color()), number(m_pen.widthF() > 0 ? m_pen.widthF() : 1));
        if (m_pen.style() == Qt::DotLine)
            s += QStringLiteral(" stroke-dasharray=\"1,2\"");
        else if (m_pen.style() == Qt::DashLine)
            s += QStringLiteral(" stroke-dasharray=\"4,2\"");
        return s;
    }
    QString fill() const
    {
        if (m_brush.style() == Qt::NoBrush)
            return QStringLiteral(" fill=\"none\"");
        return QStringLiteral(" fill=\"%1\"").arg(colour(m_brush.color()));
    }

    QPen m_pen;
    QBrush m_brush;
    QFont m_font;
    QTransform m_transform;
};

SvgPaintDevice::SvgPaintDevice(QSize size)
    : m_size(size), m_engine(std::make_unique<SvgPaintEngine>())
{
}

SvgPaintDevice::~SvgPaintDevice() = default;

QPaintEngine* SvgPaintDevice::paintEngine() const
{
    return m_engine.get();
}

int SvgPaintDevice::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth:
        return m_size.width();
    case PdmHeight:
        return m_size.height();
    case PdmWidthMM:
        return qRound(m_size.width() * 25.4 / 96);
    case PdmHeightMM:
        return qRound(m_size.height() * 25.4 / 96);
    case PdmNumColors:
        return 0xffffff;
    case PdmDepth:
        return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return 96;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(devicePixelRatioFScale());
    default:
        return 0;
    }
}

QString SvgPaintDevice::document() const
{
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" "
                          "width=\"%1\" height=\"%2\" viewBox=\"0 0 %1 %2\" "
                          "shape-rendering=\"crispEdges\">\n")
               .arg(m_size.width())
               .arg(m_size.height()) +
           m_engine->body + QStringLiteral("</svg>\n");
}

bool SvgPaintDevice::save(const QString& file, QString* error) const
{
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        out.write(document().toUtf8()) < 0 || !out.commit()) {
        *error = QStringLiteral("Cannot write \"%1\".").arg(file);
        return false;
    }
    return true;
}

#include "PictureMaker.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>

namespace {

const QColor Ceramic(236, 232, 222);
const QColor Brass(205, 170, 90);
const QColor Copper(190, 120, 70);
const QColor Plastic(58, 60, 66);
const QColor LightPlastic(228, 229, 232);

QColor categoryColour(const QString& category)
{
    if (category == u"aM")
        return QColor(40, 140, 70);
    if (category == u"gR")
        return QColor(200, 40, 40);
    return QColor(30, 80, 170);
}

QLinearGradient shade(const QRectF& r, const QColor& c, bool horizontal = false)
{
    QLinearGradient g(r.topLeft(), horizontal ? r.topRight() : r.bottomLeft());
    g.setColorAt(0.0, c.lighter(135));
    g.setColorAt(0.45, c);
    g.setColorAt(1.0, c.darker(150));
    return g;
}

void box(QPainter& p, const QRectF& r, const QColor& c, qreal radius = 4, bool horizontal = false)
{
    p.setPen(QPen(c.darker(200), 1.5));
    p.setBrush(shade(r, c, horizontal));
    p.drawRoundedRect(r, radius, radius);
}

} // namespace

QImage PictureMaker::blank()
{
    QImage image(Width, Height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

void PictureMaker::caption(QPainter& p, const QRectF& area, const QString& text)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(22);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(40, 40, 40));
    p.drawText(area, Qt::AlignHCenter | Qt::AlignBottom, text);
}

void PictureMaker::nhFuseLink(QPainter& p, const QRectF& area, const QString& size,
                              const QString& category)
{
    // Front view: ceramic body between two metal caps, a knife blade at each
    // end, gripping lugs on the caps and the indicator on top.
    const qreal w = area.width(), h = area.height();
    const QRectF body(area.left() + w * 0.22, area.top() + h * 0.2, w * 0.56, h * 0.6);
    const qreal blade = h * 0.22;
    box(p, QRectF(area.left(), area.center().y() - blade / 2, w * 0.25, blade), Copper, 2);
    box(p, QRectF(area.right() - w * 0.25, area.center().y() - blade / 2, w * 0.25, blade), Copper,
        2);
    box(p, body, Ceramic, 6);
    box(p,
        QRectF(body.left() - w * 0.03, body.top() - h * 0.03, w * 0.08, body.height() + h * 0.06),
        Brass, 3);
    box(p,
        QRectF(body.right() - w * 0.05, body.top() - h * 0.03, w * 0.08, body.height() + h * 0.06),
        Brass, 3);
    // Gripping lugs.
    box(p, QRectF(body.left() + w * 0.01, body.top() - h * 0.16, w * 0.04, h * 0.14), Brass, 2);
    box(p, QRectF(body.right() - w * 0.05, body.top() - h * 0.16, w * 0.04, h * 0.14), Brass, 2);
    // Label with the category colour band.
    const QRectF label(body.left() + body.width() * 0.18, body.top() + body.height() * 0.2,
                       body.width() * 0.64, body.height() * 0.6);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(label);
    p.setBrush(categoryColour(category));
    p.drawRect(QRectF(label.left(), label.top(), label.width(), label.height() * 0.3));
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(qMax(8, int(label.height() * 0.22)));
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(label.left(), label.top(), label.width(), label.height() * 0.3),
               Qt::AlignCenter, QStringLiteral("KAVREL"));
    p.setPen(Qt::black);
    p.drawText(QRectF(label.left(), label.top() + label.height() * 0.3, label.width(),
                      label.height() * 0.7),
               Qt::AlignCenter, size + u' ' + category);
    // Indicator.
    p.setBrush(QColor(200, 60, 40));
    p.setPen(QPen(Qt::black, 1));
    p.drawEllipse(QPointF(body.center().x(), body.top() + body.height() * 0.1), w * 0.02, w * 0.02);
}

void PictureMaker::nhFuseBase(QPainter& p, const QString& size, int poles)
{
    const qreal poleWidth = 320.0 / qMax(poles, 1);
    for (int i = 0; i < poles; ++i) {
        const QRectF plate(80 + i * poleWidth + 6, 60, poleWidth - 12, 220);
        box(p, plate, LightPlastic, 6, true);
        // Spring contacts at both ends and terminal screws.
        for (qreal y : {75.0, 235.0}) {
            box(p, QRectF(plate.center().x() - 18, y, 36, 30), Copper, 3);
            p.setBrush(QColor(170, 170, 170));
            p.drawEllipse(QPointF(plate.center().x(), y + 15), 7, 7);
            p.drawLine(QPointF(plate.center().x() - 5, y + 15),
                       QPointF(plate.center().x() + 5, y + 15));
        }
        // Partition walls of a multi-pole base.
        if (i > 0) {
            p.setPen(QPen(QColor(120, 120, 120), 3));
            p.drawLine(QPointF(80 + i * poleWidth, 55), QPointF(80 + i * poleWidth, 285));
        }
    }
    caption(p, QRectF(0, 0, Width, Height - 12), size + QStringLiteral("  %1P").arg(poles));
}

void PictureMaker::dFuseLink(QPainter& p, const QRectF& r, const QString& size)
{
    // Bottle-shaped ceramic body with the contact cap and the coloured indicator.
    QPainterPath bottle;
    bottle.moveTo(r.left() + r.width() * 0.3, r.bottom());
    bottle.lineTo(r.left() + r.width() * 0.3, r.top() + r.height() * 0.75);
    bottle.lineTo(r.left(), r.top() + r.height() * 0.62);
    bottle.lineTo(r.left(), r.top() + r.height() * 0.05);
    bottle.quadTo(r.left(), r.top(), r.left() + r.width() * 0.1, r.top());
    bottle.lineTo(r.right() - r.width() * 0.1, r.top());
    bottle.quadTo(r.right(), r.top(), r.right(), r.top() + r.height() * 0.05);
    bottle.lineTo(r.right(), r.top() + r.height() * 0.62);
    bottle.lineTo(r.right() - r.width() * 0.3, r.top() + r.height() * 0.75);
    bottle.lineTo(r.right() - r.width() * 0.3, r.bottom());
    bottle.closeSubpath();
    p.setPen(QPen(Ceramic.darker(200), 1.5));
    p.setBrush(shade(r, Ceramic, true));
    p.drawPath(bottle);
    box(p,
        QRectF(r.left() + r.width() * 0.28, r.bottom() - r.height() * 0.08, r.width() * 0.44,
               r.height() * 0.1),
        Brass, 2, true);
    p.setBrush(QColor(230, 60, 60));
    p.drawEllipse(QPointF(r.center().x(), r.top() + r.height() * 0.05), r.width() * 0.18,
                  r.height() * 0.04);
    caption(p, QRectF(0, 0, Width, Height - 12), size + QStringLiteral(" gG"));
}

void PictureMaker::dFuseBase(QPainter& p, const QString& size, int poles)
{
    for (int i = 0; i < poles; ++i) {
        const QRectF module(120 + i * 84.0, 50, 80, 230);
        box(p, module, LightPlastic, 4, true);
        p.setBrush(shade(QRectF(module.left() + 10, 120, 60, 60), QColor(150, 150, 150)));
        p.setPen(QPen(Qt::black, 1.5));
        p.drawEllipse(QRectF(module.left() + 10, 120, 60, 60));
        p.drawEllipse(QRectF(module.left() + 25, 135, 30, 30));
        for (qreal y : {62.0, 250.0}) {
            p.setBrush(QColor(180, 180, 180));
            p.drawEllipse(QPointF(module.center().x(), y), 8, 8);
        }
    }
    caption(p, QRectF(0, 0, Width, Height - 12), size + QStringLiteral("  %1P").arg(poles));
}

void PictureMaker::screwCap(QPainter& p)
{
    const QRectF cap(150, 60, 180, 200);
    box(p, QRectF(cap.left(), cap.top() + 40, cap.width(), cap.height() - 40), Ceramic, 10, true);
    p.setPen(QPen(Ceramic.darker(180), 2));
    for (int i = 1; i < 8; ++i)
        p.drawLine(QPointF(cap.left() + i * cap.width() / 8, cap.top() + 50),
                   QPointF(cap.left() + i * cap.width() / 8, cap.bottom() - 10));
    p.setBrush(QColor(120, 180, 230, 180));
    p.drawEllipse(QRectF(cap.center().x() - 40, cap.top(), 80, 60));
    caption(p, QRectF(0, 0, Width, Height - 12), QStringLiteral("D"));
}

void PictureMaker::cylindricalFuseLink(QPainter& p, const QString& category)
{
    const QRectF body(110, 130, 260, 90);
    box(p, body, Ceramic, 6);
    box(p, QRectF(body.left() - 30, body.top() - 4, 50, body.height() + 8), QColor(190, 190, 195),
        6);
    box(p, QRectF(body.right() - 20, body.top() - 4, 50, body.height() + 8), QColor(190, 190, 195),
        6);
    p.setPen(Qt::NoPen);
    p.setBrush(categoryColour(category));
    p.drawRect(QRectF(body.left() + 40, body.top() + 10, body.width() - 80, 18));
    caption(p, QRectF(0, 0, Width, Height - 30), QStringLiteral("10x38 ") + category);
}

void PictureMaker::modularDevice(QPainter& p, const QString& kind, int modules)
{
    const qreal mw = qMin<qreal>(72, 360.0 / modules);
    const qreal left = (Width - mw * modules) / 2;
    const QRectF front(left, 40, mw * modules, 270);
    box(p, front, LightPlastic, 4, true);
    // Terminals top and bottom, the raised centre part and one handle per pole.
    p.setPen(QPen(QColor(90, 90, 90), 1));
    for (int i = 0; i < modules; ++i) {
        const qreal cx = left + mw * (i + 0.5);
        for (qreal y : {58.0, 292.0}) {
            p.setBrush(QColor(160, 160, 160));
            p.drawEllipse(QPointF(cx, y), mw * 0.18, mw * 0.18);
        }
        if (i > 0)
            p.drawLine(QPointF(left + mw * i, 40), QPointF(left + mw * i, 310));
    }
    box(p, QRectF(left + 4, 95, mw * modules - 8, 160), LightPlastic.darker(108), 3);
    const QColor handle = kind == u"RCD" ? QColor(30, 90, 180) : Plastic;
    const int handles = kind == u"SPD" ? 0 : (kind == u"RCD" ? 1 : modules);
    for (int i = 0; i < handles; ++i) {
        const qreal cx = kind == u"RCD" ? left + mw * 0.5 : left + mw * (i + 0.5);
        box(p, QRectF(cx - mw * 0.22, 120, mw * 0.44, 60), handle, 3);
    }
    if (kind == u"RCD") {
        p.setBrush(QColor(240, 200, 40));
        p.drawEllipse(QPointF(left + mw * (modules - 0.5), 220), mw * 0.2, mw * 0.2);
        p.setPen(Qt::black);
        p.drawText(QRectF(left + mw * (modules - 1), 240, mw, 14), Qt::AlignCenter,
                   QStringLiteral("T"));
    }
    if (kind == u"SPD") {
        for (int i = 0; i < modules; ++i) {
            const qreal cx = left + mw * (i + 0.5);
            p.setBrush(QColor(60, 190, 80));
            p.drawRect(QRectF(cx - mw * 0.2, 150, mw * 0.4, 30));
        }
    }
    caption(p, QRectF(0, 0, Width, Height - 4), kind + QStringLiteral("  %1P").arg(modules));
}

void PictureMaker::fuseSwitchDisconnector(QPainter& p, const QString& size, bool vertical)
{
    if (vertical) {
        const QRectF strip(200, 20, 80, 300);
        box(p, strip, Plastic.lighter(130), 4, true);
        for (int i = 0; i < 3; ++i)
            box(p, QRectF(210, 40 + i * 95.0, 60, 80), QColor(200, 200, 205), 3);
    } else {
        const QRectF base(90, 40, 300, 260);
        box(p, base, Plastic.lighter(150), 6);
        box(p, QRectF(110, 80, 260, 170), QColor(90, 95, 105), 6);
        box(p, QRectF(140, 160, 200, 30), QColor(240, 120, 20), 6);
        for (int i = 0; i < 3; ++i) {
            p.setBrush(QColor(200, 200, 200));
            p.drawEllipse(QPointF(150 + i * 90.0, 60), 10, 10);
            p.drawEllipse(QPointF(150 + i * 90.0, 280), 10, 10);
        }
    }
    caption(p, QRectF(0, 0, Width, Height - 2), size);
}

void PictureMaker::hvFuseLink(QPainter& p, int length)
{
    const qreal w = 160 + length * 0.5;
    const QRectF body((Width - w) / 2, 150, w, 70);
    box(p, body, Ceramic.darker(103), 8);
    box(p, QRectF(body.left() - 20, body.top() - 8, 40, body.height() + 16), QColor(200, 200, 205),
        6);
    box(p, QRectF(body.right() - 20, body.top() - 8, 40, body.height() + 16), QColor(200, 200, 205),
        6);
    p.setBrush(QColor(200, 40, 40));
    p.drawRect(QRectF(body.right() + 20, body.center().y() - 6, 16, 12)); // striker
    caption(p, QRectF(0, 0, Width, Height - 40), QStringLiteral("e = %1 mm").arg(length));
}

void PictureMaker::banner(QPainter& p, const QSize& size)
{
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(255, 248, 235));
    sky.setColorAt(1, QColor(250, 200, 160));
    p.fillRect(QRect(QPoint(0, 0), size), sky);
    const char* sizes[] = {"NH000", "NH00", "NH1", "NH2", "NH3"};
    qreal x = 40;
    for (int i = 0; i < 5; ++i) {
        const qreal w = 160 + i * 40, h = 90 + i * 30;
        nhFuseLink(p, QRectF(x, size.height() - 60 - h, w, h), QString::fromLatin1(sizes[i]),
                   QStringLiteral("gG"));
        x += w + 60;
    }
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(42);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(120, 50, 10));
    p.drawText(QRectF(0, 10, size.width() - 30, 60), Qt::AlignRight | Qt::AlignTop,
               QStringLiteral("NH"));
}

QImage PictureMaker::draw(const QString& name)
{
    static const QRegularExpression nh(QStringLiteral("^(NH\\d+)(GG|AM|GR)$"));
    static const QRegularExpression nhBase(QStringLiteral("^NHB(\\d+)_(\\d)$"));
    static const QRegularExpression dLink(QStringLiteral("^D(II|III|01|02)GG$"));
    static const QRegularExpression dBase(QStringLiteral("^DB(II|III|01|02)_(\\d)$"));
    static const QRegularExpression cyl(QStringLiteral("^C1038(GG|AM|GR)$"));
    static const QRegularExpression holder(QStringLiteral("^CH(\\d)P(N?)$"));
    static const QRegularExpression fsd(QStringLiteral("^FSD(\\d+)([HV])$"));
    static const QRegularExpression modular(QStringLiteral("^(MCB|RCD|SPD)(\\d)P$"));
    static const QRegularExpression hv(QStringLiteral("^HV(\\d+)$"));
    const auto category = [](const QString& s) {
        return s == u"GG"   ? QStringLiteral("gG")
               : s == u"AM" ? QStringLiteral("aM")
                            : QStringLiteral("gR");
    };
    const auto dSize = [](const QString& s) {
        return s.startsWith(u'0') ? u'D' + s : QStringLiteral("D ") + s;
    };

    const bool wide = name == u"NHSYSTEM";
    QImage image(wide ? 1600 : Width, wide ? 400 : Height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRegularExpressionMatch m;
    if (wide) {
        banner(p, image.size());
    } else if ((m = nh.match(name)).hasMatch()) {
        nhFuseLink(p, QRectF(50, 80, 380, 190), m.captured(1), category(m.captured(2)));
    } else if ((m = nhBase.match(name)).hasMatch()) {
        nhFuseBase(p, QStringLiteral("NH") + m.captured(1), m.captured(2).toInt());
    } else if ((m = dLink.match(name)).hasMatch()) {
        dFuseLink(p, QRectF(170, 40, 140, 260), dSize(m.captured(1)));
    } else if ((m = dBase.match(name)).hasMatch()) {
        dFuseBase(p, dSize(m.captured(1)), m.captured(2).toInt());
    } else if (name == u"DKAP") {
        screwCap(p);
    } else if ((m = cyl.match(name)).hasMatch()) {
        cylindricalFuseLink(p, category(m.captured(1)));
    } else if ((m = holder.match(name)).hasMatch()) {
        const int poles = m.captured(1).toInt() + (m.captured(2).isEmpty() ? 0 : 1);
        modularDevice(p, QStringLiteral("10x38"), poles);
    } else if ((m = fsd.match(name)).hasMatch()) {
        fuseSwitchDisconnector(p, QStringLiteral("NH") + m.captured(1), m.captured(2) == u"V");
    } else if ((m = modular.match(name)).hasMatch()) {
        const int poles = m.captured(2).toInt();
        modularDevice(p, m.captured(1), m.captured(1) == u"RCD" && poles == 2 ? 2 : poles);
    } else if ((m = hv.match(name)).hasMatch()) {
        hvFuseLink(p, m.captured(1).toInt());
    } else {
        p.end();
        return {};
    }
    p.end();
    return image;
}

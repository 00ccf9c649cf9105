#include "DrawingMaker.h"

#include <QHash>
#include <QLineF>
#include <QRegularExpression>

namespace {

const QString Sym = QString::fromLatin1(BlockDrawing::SymbolLayer);
const QString Out = QString::fromLatin1(BlockDrawing::OutlineLayer);

// Overall outline sizes in millimetres (length or width along x, y across).
const QHash<QString, QSizeF>& outlines()
{
    static const QHash<QString, QSizeF> sizes = [] {
        QHash<QString, QSizeF> s;
        // NH fuse links, blade tip to blade tip by body width.
        s[QStringLiteral("NH000")] = {78.5, 21};
        s[QStringLiteral("NH00")] = {78.5, 30};
        s[QStringLiteral("NH1")] = {135, 47};
        s[QStringLiteral("NH2")] = {150, 58};
        s[QStringLiteral("NH3")] = {150, 68};
        // D and D0 fuse links, diameter by length.
        s[QStringLiteral("DII")] = {22.5, 49};
        s[QStringLiteral("DIII")] = {28, 49};
        s[QStringLiteral("D01")] = {11, 36};
        s[QStringLiteral("D02")] = {15.3, 36};
        s[QStringLiteral("C1038")] = {38, 10.3};
        // NH fuse bases, one pole: length by width.
        s[QStringLiteral("NHB000_1")] = {105, 30};
        s[QStringLiteral("NHB00_1")] = {117, 33};
        s[QStringLiteral("NHB1_1")] = {200, 55};
        s[QStringLiteral("NHB2_1")] = {225, 63};
        s[QStringLiteral("NHB3_1")] = {240, 72};
        // D fuse bases, one pole: width by height.
        s[QStringLiteral("DBII_1")] = {27, 64};
        s[QStringLiteral("DBIII_1")] = {34, 78};
        s[QStringLiteral("DB01_1")] = {18, 57};
        s[QStringLiteral("DB02_1")] = {27, 57};
        // Fuse switch disconnectors: width by height.
        s[QStringLiteral("FSD000H")] = {100, 137};
        s[QStringLiteral("FSD00H")] = {106, 196};
        s[QStringLiteral("FSD1H")] = {185, 265};
        s[QStringLiteral("FSD2H")] = {235, 288};
        s[QStringLiteral("FSD3H")] = {250, 295};
        s[QStringLiteral("FSD00V")] = {50, 740};
        s[QStringLiteral("FSD1V")] = {100, 740};
        s[QStringLiteral("FSD2V")] = {100, 740};
        s[QStringLiteral("FSD3V")] = {100, 740};
        return s;
    }();
    return sizes;
}

} // namespace

std::optional<QSizeF> DrawingMaker::outlineSize(const QString& blockName)
{
    if (!blockName.startsWith(QLatin1String("KD_")))
        return std::nullopt;
    const QString key = blockName.mid(3);
    if (outlines().contains(key))
        return outlines().value(key);
    static const QRegularExpression threePole(QStringLiteral("^(NHB\\w+|DB\\w+)_3$"));
    static const QRegularExpression modules(QStringLiteral("^(MOD|CH)(\\d)M$"));
    static const QRegularExpression hv(QStringLiteral("^HV(\\d+)_(\\d+)$"));
    QRegularExpressionMatch m;
    if ((m = threePole.match(key)).hasMatch()) {
        const QSizeF one = outlines().value(m.captured(1) + QStringLiteral("_1"));
        if (one.isEmpty())
            return std::nullopt;
        // Three poles side by side across the base, with 8 mm between them.
        return key.startsWith(u'N') ? QSizeF(one.width(), 3 * one.height() + 16)
                                    : QSizeF(3 * one.width(), one.height());
    }
    if ((m = modules.match(key)).hasMatch())
        return QSizeF(17.5 * m.captured(2).toInt(), m.captured(1) == u"CH" ? 81 : 90);
    if ((m = hv.match(key)).hasMatch())
        return QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble());
    return std::nullopt;
}

void DrawingMaker::symbolPole(BlockDrawing& d, const QString& kind, double x)
{
    const auto P = [x](double px, double py) { return QPointF(x + px, py); };
    if (kind == u"FUSE" || kind == u"HVFUSE") {
        // Fuse: a rectangle with the conductor running through its length.
        d.line(Sym, P(0, 0), P(0, -2));
        d.rect(Sym, QRectF(P(-0.15, -1.5), P(0.15, -0.5)));
        if (kind == u"HVFUSE") // the striker end is marked by a bar
            d.line(Sym, P(-0.15, -1.35), P(0.15, -1.35));
        return;
    }
    // Switching devices: fixed contact above, the moving contact hinged at the
    // lower terminal and drawn open.
    d.line(Sym, P(0, 0), P(0, -0.6));
    d.line(Sym, P(0, -1.5), P(0, -2));
    const QPointF hinge = P(0, -1.5), tip = P(-0.45, -0.7);
    d.line(Sym, hinge, tip);
    if (kind == u"FDISC" || kind == u"FSD") {
        // The moving contact carries the fuse; the disconnector bar sits on the
        // fixed contact, and a switch-disconnector adds the switching circle.
        const QLineF blade(hinge, tip);
        const QLineF n = blade.normalVector().unitVector();
        const QPointF across = (n.p2() - n.p1()) * 0.13;
        const QPointF a = blade.pointAt(0.3), b = blade.pointAt(0.8);
        d.line(Sym, a + across, b + across);
        d.line(Sym, b + across, b - across);
        d.line(Sym, b - across, a - across);
        d.line(Sym, a - across, a + across);
        d.line(Sym, P(-0.12, -0.6), P(0.12, -0.6));
        if (kind == u"FSD")
            d.circle(Sym, P(0, -0.68), 0.07);
    } else if (kind == u"MCB" || kind == u"RCD") {
        // Circuit breaker: the cross on the fixed contact.
        d.line(Sym, P(-0.09, -0.51), P(0.09, -0.69));
        d.line(Sym, P(-0.09, -0.69), P(0.09, -0.51));
    } else if (kind == u"SPD") {
        // Surge arrester: not a switch; redrawn below.
    }
}

BlockDrawing DrawingMaker::symbol(const QString& kind, int poles)
{
    BlockDrawing d;
    d.setUnits(0);
    const double pitch = 0.5;
    if (kind == u"SPD") {
        for (int i = 0; i < poles; ++i) {
            const double x = -(poles - 1 - i) * pitch;
            // Arrester: a rectangle with an arrow towards earth.
            d.line(Sym, {x, 0}, {x, -0.6});
            d.rect(Sym, QRectF(QPointF(x - 0.15, -1.4), QPointF(x + 0.15, -0.6)));
            d.line(Sym, {x, -0.7}, {x, -1.3});
            d.line(Sym, {x, -1.3}, {x - 0.07, -1.15});
            d.line(Sym, {x, -1.3}, {x + 0.07, -1.15});
            d.line(Sym, {x, -1.4}, {x, -1.7});
        }
        // Common earth.
        const double left = -(poles - 1) * pitch;
        if (poles > 1)
            d.line(Sym, {left, -1.7}, {0, -1.7});
        const double mid = left / 2;
        d.line(Sym, {mid, -1.7}, {mid, -1.8});
        d.line(Sym, {mid - 0.25, -1.8}, {mid + 0.25, -1.8});
        d.line(Sym, {mid - 0.16, -1.88}, {mid + 0.16, -1.88});
        d.line(Sym, {mid - 0.07, -1.96}, {mid + 0.07, -1.96});
        return d;
    }
    for (int i = 0; i < poles; ++i)
        symbolPole(d, kind, -(poles - 1 - i) * pitch);
    const bool switching = kind != u"FUSE" && kind != u"HVFUSE";
    if (switching && poles > 1) // the poles switch together
        d.dashed(Sym, {-(poles - 1) * pitch - 0.22, -1.1}, {-0.22, -1.1}, 0.06);
    if (kind == u"RCD") {
        // Summation current transformer around all conductors, linked to the
        // release that trips the contacts.
        const double left = -(poles - 1) * pitch;
        const double cx = left / 2, rx = (poles - 1) * pitch / 2 + 0.25;
        d.ellipse(Sym, {cx, -1.75}, rx, 0.08);
        d.dashed(Sym, {cx + rx, -1.75}, {cx + rx + 0.2, -1.75}, 0.05);
        d.dashed(Sym, {cx + rx + 0.2, -1.75}, {cx + rx + 0.2, -1.1}, 0.05);
        d.dashed(Sym, {cx + rx + 0.2, -1.1}, {-0.22, -1.1}, 0.05);
    }
    return d;
}

BlockDrawing DrawingMaker::outline(const QString& name, const QSizeF& size)
{
    BlockDrawing d;
    const double w = size.width(), h = size.height();
    const QString key = name.mid(3);
    d.rect(Out, QRectF(0, 0, w, h));
    if (key.startsWith(QLatin1String("NH")) && !key.startsWith(QLatin1String("NHB"))) {
        // NH fuse link: the outer box is redrawn as body plus blades.
        d = BlockDrawing();
        const double blade = h * 0.45;
        d.rect(Out, QRectF(0.2 * w, 0, 0.6 * w, h));
        d.rect(Out, QRectF(0, (h - blade) / 2, 0.2 * w, blade));
        d.rect(Out, QRectF(0.8 * w, (h - blade) / 2, 0.2 * w, blade));
        d.line(Out, {0.26 * w, 0}, {0.26 * w, h});
        d.line(Out, {0.74 * w, 0}, {0.74 * w, h});
        d.circle(Out, {0.5 * w, h * 0.8}, h * 0.08);
    } else if (key.startsWith(QLatin1String("D")) && !key.startsWith(QLatin1String("DB"))) {
        // D fuse link, side view: contact cap below the wider body.
        d = BlockDrawing();
        d.rect(Out, QRectF(0.3 * w, 0, 0.4 * w, 0.3 * h));
        d.rect(Out, QRectF(0, 0.3 * h, w, 0.7 * h));
        d.circle(Out, {0.5 * w, 0.9 * h}, std::min(0.18 * w, 0.08 * h));
    } else if (key == u"C1038") {
        d.line(Out, {10, 0}, {10, h});
        d.line(Out, {w - 10, 0}, {w - 10, h});
    } else if (key.startsWith(QLatin1String("HV"))) {
        d.line(Out, {33, 0}, {33, h});
        d.line(Out, {w - 33, 0}, {w - 33, h});
    } else if (key.startsWith(QLatin1String("MOD")) || key.startsWith(QLatin1String("CH"))) {
        const int modules = int(w / 17.5 + 0.5);
        for (int i = 1; i < modules; ++i)
            d.line(Out, {17.5 * i, 0}, {17.5 * i, h});
        d.rect(Out, QRectF(0, 0.3 * h, w, 0.4 * h)); // raised front
        for (int i = 0; i < modules; ++i) {
            d.circle(Out, {17.5 * (i + 0.5), 0.08 * h}, 3);
            d.circle(Out, {17.5 * (i + 0.5), 0.92 * h}, 3);
        }
    } else if (key.startsWith(QLatin1String("NHB")) || key.startsWith(QLatin1String("DB"))) {
        const bool nh = key.startsWith(QLatin1String("NHB"));
        const int poles = key.endsWith(QLatin1String("_3")) ? 3 : 1;
        const double pole = nh ? (h - 8.0 * 2 * (poles - 1) / 2) / poles : w / poles;
        for (int i = 0; i < poles; ++i) {
            if (nh) {
                const double y = i * (pole + 8);
                d.rect(Out, QRectF(0.05 * w, y + 0.2 * pole, 0.15 * w, 0.6 * pole));
                d.rect(Out, QRectF(0.8 * w, y + 0.2 * pole, 0.15 * w, 0.6 * pole));
                if (i > 0)
                    d.line(Out, {0, y - 4}, {w, y - 4});
            } else {
                d.circle(Out, {pole * (i + 0.5), h / 2}, pole * 0.35);
                if (i > 0)
                    d.line(Out, {pole * i, 0}, {pole * i, h});
            }
        }
    } else if (key.startsWith(QLatin1String("FSD"))) {
        const bool vertical = key.endsWith(u'V');
        const int poles = 3;
        for (int i = 0; i < poles; ++i) {
            if (vertical)
                d.rect(Out, QRectF(0.15 * w, h * (0.08 + i * 0.3), 0.7 * w, h * 0.24));
            else
                d.rect(Out, QRectF(w * (0.08 + i * 0.3), 0.25 * h, w * 0.24, 0.5 * h));
        }
        if (!vertical)
            d.rect(Out, QRectF(0.1 * w, 0.45 * h, 0.8 * w, 0.1 * h)); // handle
    }
    const double text = std::max(1.8, std::min(w, h) * 0.1);
    // Overall width below the outline, overall height on its left.
    d.dimension({0, 0}, {w, 0}, std::max(6.0, h * 0.2), text);
    d.dimension({0, h}, {0, 0}, std::max(6.0, w * 0.2), text);
    return d;
}

std::optional<BlockDrawing> DrawingMaker::make(const QString& name)
{
    if (const auto size = outlineSize(name))
        return outline(name, *size);
    static const QRegularExpression sym(
        QStringLiteral("^KS(3?)_(FUSE|HVFUSE|FDISC|FSD|MCB|RCD|SPD)$"));
    const QRegularExpressionMatch m = sym.match(name);
    if (!m.hasMatch())
        return std::nullopt;
    const QString kind = m.captured(2);
    const int poles = m.captured(1).isEmpty() ? 1 : (kind == u"RCD" ? 4 : 3);
    return symbol(kind, poles);
}

#pragma once

#include <QImage>
#include <QString>

class QPainter;
class QRectF;

// Draws the product pictures of the sample catalogue. The picture name says
// what to draw: its prefix the product kind (NH, NHB, D, DB, DKAP, C1038, CH,
// FSD, MCB, RCD, SPD, HV), the rest size, category or poles. A name that
// names no known kind gives an empty image.
class PictureMaker
{
public:
    static constexpr int Width = 480;
    static constexpr int Height = 360;

    static QImage draw(const QString& name);
    static QImage blank();

private:
    static void nhFuseLink(QPainter& p, const QRectF& box, const QString& size,
                           const QString& category);
    static void nhFuseBase(QPainter& p, const QString& size, int poles);
    static void dFuseLink(QPainter& p, const QRectF& box, const QString& size);
    static void dFuseBase(QPainter& p, const QString& size, int poles);
    static void screwCap(QPainter& p);
    static void cylindricalFuseLink(QPainter& p, const QString& category);
    static void modularDevice(QPainter& p, const QString& kind, int modules);
    static void fuseSwitchDisconnector(QPainter& p, const QString& size, bool vertical);
    static void hvFuseLink(QPainter& p, int length);
    static void banner(QPainter& p, const QSize& size);
    static void caption(QPainter& p, const QRectF& area, const QString& text);
};

#include "TOkno2.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

// The pictures live in a static library: register them explicitly.
static QPixmap splashPicture()
{
    static const bool resources = [] {
        Q_INIT_RESOURCE(kavrel);
        return true;
    }();
    Q_UNUSED(resources);
    return QPixmap(QStringLiteral(":/kavrel/splash.png"));
}

TOkno2::TOkno2(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), m_picture(splashPicture())
{
    setObjectName(QStringLiteral("TOkno2"));
    setFixedSize(748, 320);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    setAutoFillBackground(true);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
}

void TOkno2::showNow()
{
    show();
    repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TOkno2::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (!m_picture.isNull()) {
        const QPoint at((width() - m_picture.width()) / 2, (height() - m_picture.height()) / 2);
        painter.drawPixmap(at, m_picture);
    }
}

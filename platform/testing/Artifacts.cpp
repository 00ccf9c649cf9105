#include "Artifacts.h"

#include <QDir>
#include <QWidget>

namespace Artifacts {

QString directory()
{
    const QString dir = QString::fromLocal8Bit(ARTIFACT_DIR);
    QDir().mkpath(dir);
    return dir;
}

QString save(const QImage& image, const QString& name)
{
    const QString file = directory() + QLatin1Char('/') + name + QStringLiteral(".png");
    image.save(file);
    return file;
}

QString save(QWidget* widget, const QString& name)
{
    widget->ensurePolished();
    if (!widget->isVisible())
        widget->show();
    return save(widget->grab().toImage(), name);
}

} // namespace Artifacts

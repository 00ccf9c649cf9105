#pragma once

#include <QImage>
#include <QString>

class QWidget;

// Screenshots and rendered images that a person can look at after a test
// run, saved under build/artifacts/.
namespace Artifacts {
QString directory();
// Grabs the widget (laid out, offscreen) and saves it as <name>.png.
QString save(QWidget* widget, const QString& name);
QString save(const QImage& image, const QString& name);
} // namespace Artifacts

// curvata-render: a chart of curvata as a PNG, PDF or SVG file, drawn by the
// chart view's own code, without a window.
#include "ChartRenderer.h"
#include "ProjectRenderer.h"

#include <QGuiApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    RenderOptions options;
    QString error;
    if (!options.parse(app.arguments().mid(1), &error)) {
        if (!error.isEmpty())
            std::fprintf(stderr, "curvata-render: %s\n", qPrintable(error));
        std::fputs(qPrintable(RenderOptions::usage()), error.isEmpty() ? stdout : stderr);
        return error.isEmpty() ? 0 : 1;
    }
    if (!options.projectFile.isEmpty())
        return ProjectRenderer::main(options);
    QStringList notes;
    const bool written = ChartRenderer::run(options, &error, &notes);
    for (const QString& note : notes)
        std::fprintf(stderr, "curvata-render: %s\n", qPrintable(note));
    if (!written) {
        std::fprintf(stderr, "curvata-render: %s\n", qPrintable(error));
        return 2;
    }
    return 0;
}

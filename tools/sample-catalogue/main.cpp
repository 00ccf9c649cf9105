// sample-catalogue build <source dir> <sample dir>
// Generates the configuration, pictures, documents and block drawings of the
// catalogue sample installation from its CSV sources.
#include "SampleInstallation.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>

#include <exception>

int main(int argc, char** argv)
{
    // Drawing pictures and documents needs fonts but never a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = QDir::tempPath() + QStringLiteral("/sample-catalogue-runtime");
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
    }
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() != 4 || args[1] != u"build") {
        err << "usage: sample-catalogue build <source dir> <sample dir>\n";
        return 2;
    }
    try {
        SampleInstallation installation(args[2], args[3]);
        installation.build();
        QTextStream(stdout) << "sample-catalogue: " << installation.written().size()
                            << " files written\n";
    } catch (const std::exception& e) {
        err << "sample-catalogue: " << e.what() << '\n';
        return 1;
    }
    return 0;
}

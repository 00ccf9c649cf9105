// cadhost: the drawing program that offers its automation objects on the D-Bus
// session bus as org.kavrel.CadHost<code>.
#include "CadApplication.h"
#include "CadBusService.h"
#include "CadCommands.h"
#include "CadDocument.h"
#include "CadError.h"
#include "MainWindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDBusConnection>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("cadhost"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Drawing host: DXF drawings, driven by automation on the D-Bus session bus."));
    parser.addHelpOption();
    const QCommandLineOption version(QStringLiteral("version"),
                                     QStringLiteral("Automation version to offer: 15, 16 or 17 (default 17)."),
                                     QStringLiteral("code"), QStringLiteral("17"));
    const QCommandLineOption empty(QStringLiteral("no-drawing"),
                                   QStringLiteral("Start without the empty drawing Drawing1.dxf."));
    parser.addOption(version);
    parser.addOption(empty);
    parser.addPositionalArgument(QStringLiteral("drawing"), QStringLiteral("DXF drawings to open."),
                                 QStringLiteral("[drawing...]"));
    parser.process(qapp);

    bool ok = false;
    const int code = parser.value(version).toInt(&ok);
    if (!ok || !CadVersion::isSupported(code)) {
        std::fprintf(stderr, "cadhost: --version takes 15, 16 or 17, not \"%s\"\n",
                     qPrintable(parser.value(version)));
        return 2;
    }

    CadApplication app{CadVersion(code)};
    CadCommands commands(app);
    MainWindow window(app, commands);
    CadBusService bus(app, commands, &window);
    QString error;
    if (!bus.start(QDBusConnection::sessionBus(), &error)) {
        std::fprintf(stderr, "cadhost: %s\n", qPrintable(error));
        return 1;
    }
    for (const QString& file : parser.positionalArguments()) {
        try {
            app.openDocument(file, false);
        } catch (const CadError& e) {
            std::fprintf(stderr, "cadhost: %s\n", qPrintable(e.text()));
        }
    }
    if (app.documents().isEmpty() && !parser.isSet(empty))
        app.addDocument();
    window.show();
    return qapp.exec();
}

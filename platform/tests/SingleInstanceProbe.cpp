// A process for the single-instance tests:
//   probe <mutex> <publish-title> <find-title> <wParam> <lParam>
// The first instance prints "OWNER", publishes its window, prints "READY"
// and then one "MESSAGE <number> <wParam> <lParam>" line per message until
// it is killed or reads a line from stdin. A later instance prints
// "EXISTED" and then "SENT" or "NOTFOUND" after sending message 0x8190.
#include "SingleInstance.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <cstdio>
#include <unistd.h>

namespace {
void say(const QByteArray& line)
{
    std::fputs(line.constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 6) {
        say("usage: probe <mutex> <publish-title> <find-title> <wParam> <lParam>");
        return 2;
    }
    SingleInstance instance(args[1]);
    if (instance.alreadyExisted()) {
        say("EXISTED");
        const bool found =
            instance.sendMessage(args[3], 0x8190, args[4].toULongLong(), args[5].toLongLong());
        say(found ? "SENT" : "NOTFOUND");
        return found ? 0 : 3;
    }
    say("OWNER");
    QObject::connect(&instance, &SingleInstance::messageReceived,
                     [](quint32 message, quintptr wParam, qintptr lParam) {
                         say(QByteArray("MESSAGE ") + QByteArray::number(message) + ' ' +
                             QByteArray::number(quint64(wParam)) + ' ' +
                             QByteArray::number(qint64(lParam)));
                     });
    if (!instance.publishWindow(args[2])) {
        say("PUBLISH FAILED");
        return 4;
    }
    say("READY");
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
    return app.exec();
}

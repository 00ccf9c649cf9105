#include "KavrelMain.h"

#include "MessageBoxService.h"
#include "QtTranslations.h"
#include "SingleInstance.h"
#include "TFStart.h"
#include "TOkno2.h"

#include <QApplication>
#include <QFile>
#include <QTextStream>
#include <QTranslator>
#include <memory>

#include <unistd.h>

namespace {

// Milliseconds since this process was started by the system, so that the
// figure includes loading the program itself.
qint64 msSinceProcessStart()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (stat.open(QIODevice::ReadOnly)) {
        const QByteArray text = stat.readAll();
        // Field 22 (start time in clock ticks since boot) follows the
        // command name in parentheses, which may contain blanks.
        const int close = text.lastIndexOf(')');
        const QList<QByteArray> fields = text.mid(close + 2).split(' ');
        QFile uptime(QStringLiteral("/proc/uptime"));
        if (fields.size() > 19 && uptime.open(QIODevice::ReadOnly)) {
            const double startS = fields.at(19).toDouble() / double(sysconf(_SC_CLK_TCK));
            const double nowS = uptime.readAll().split(' ').value(0).toDouble();
            return qint64((nowS - startS) * 1000.0);
        }
    }
    return -1;
}

void printLine(const QString& line)
{
    QTextStream out(stdout);
    out << line << Qt::endl;
}

} // namespace

bool KavrelMain::isSecondInstance(SingleInstance& instance)
{
    if (!instance.alreadyExisted())
        return false;
    if (!instance.sendMessage(QString::fromLatin1(InstanceTitle), NotifyMessage, 0, 0))
        MessageBoxService::show(nullptr, QStringLiteral("Could not find KAVREL"),
                                QString::fromLatin1(InstanceTitle));
    return true;
}

std::optional<KavrelConfig::StartValues> KavrelMain::startValues()
{
    const KavrelConfig::StartValues values = KavrelConfig::readStart();
    if (values.valid())
        return values;
    MessageBoxService::show(
        nullptr, QStringLiteral("Ponovno namestite !-Install again !-Bitte nochmal Instalieren !"),
        QStringLiteral("POZOR! ATTENTION!  ACHTUNG!"),
        MessageBoxService::Ok | MessageBoxService::Cancel, MessageBoxService::Warning);
    return std::nullopt;
}

int KavrelMain::run()
{
    SingleInstance instance(QString::fromLatin1(MutexName));
    if (isSecondInstance(instance))
        return 0;
    // The running instance is found by this title from now on; it defines
    // no reaction to the message.
    instance.publishWindow(QString::fromLatin1(InstanceTitle));

    auto splash = std::make_unique<TOkno2>();
    splash->showNow();

    const std::optional<KavrelConfig::StartValues> start = startValues();
    if (!start)
        return 0;
    // Before the first window: Qt's buttons and dialogs speak the user's
    // language from the start.
    const std::unique_ptr<QTranslator> qtTexts = QtTranslations::install(start->language);
    TFStart window(*start);
    const bool probe = qEnvironmentVariableIntValue("KAVREL_STARTUP_PROBE") == 1;
    const bool ready = qEnvironmentVariableIntValue("KAVREL_STARTUP_READY") == 1;
    if (probe || ready) {
        QObject::connect(&window, &TFStart::treeFirstPainted, &window, [probe, ready] {
            if (probe) {
                printLine(QStringLiteral("BENCH first-paint %1 ms").arg(msSinceProcessStart()));
                QApplication::quit();
            }
            if (ready)
                printLine(QStringLiteral("KAVREL ready"));
        });
    }
    window.createDataModule();
    splash.reset();
    window.show();
    return QApplication::exec();
}

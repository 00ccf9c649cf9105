#include "DBusAcadBinder.h"

#include "DBusAcadSession.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusServiceWatcher>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

#ifdef Q_OS_UNIX
#include <signal.h>
#endif

namespace {
bool processAlive(qint64 pid)
{
#ifdef Q_OS_UNIX
    return ::kill(pid_t(pid), 0) == 0;
#else
    Q_UNUSED(pid);
    return true;
#endif
}
} // namespace

DBusAcadBinder::DBusAcadBinder(const QDBusConnection& bus) : DBusAcadBinder(bus, Options()) {}

DBusAcadBinder::DBusAcadBinder(const QDBusConnection& bus, Options options)
    : m_bus(bus), m_options(std::move(options))
{
}

QString DBusAcadBinder::serviceName(const QString& code)
{
    return QStringLiteral("org.kavrel.CadHost") + code;
}

QString DBusAcadBinder::hostProgram() const
{
    if (!m_options.hostProgram.isEmpty())
        return m_options.hostProgram;
    const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/cadhost");
    if (QFileInfo(beside).isExecutable())
        return beside;
    return QStandardPaths::findExecutable(QStringLiteral("cadhost"));
}

AcadApplication DBusAcadBinder::attach(const QString& code)
{
    const QString name = serviceName(code);
    QDBusConnectionInterface* bus = m_bus.interface();
    if (!m_bus.isConnected() || !bus) {
        addFailure(QStringLiteral("attach %1: no session bus").arg(code));
        return {};
    }
    const QDBusReply<QString> owner = bus->serviceOwner(name);
    if (!owner.isValid() || owner.value().isEmpty()) {
        addFailure(QStringLiteral("attach %1: %2 is not running").arg(code, name));
        return {};
    }
    auto session = std::make_shared<DBusAcadSession>(m_bus, owner.value(), m_options.callTimeoutMs);
    return AcadApplication(session->objectAt(QStringLiteral("/Application")), code);
}

AcadApplication DBusAcadBinder::start(const QString& code)
{
    const QString program = hostProgram();
    if (program.isEmpty()) {
        addFailure(QStringLiteral("start %1: no cadhost program beside this one or on PATH")
                       .arg(code));
        return {};
    }
    QProcess process;
    process.setProgram(program);
    process.setArguments({QStringLiteral("--version"), code});
    process.setProcessEnvironment(m_options.environment);
    qint64 pid = 0;
    if (!process.startDetached(&pid)) {
        addFailure(QStringLiteral("start %1: cannot run %2").arg(code, program));
        return {};
    }
    if (!waitForName(serviceName(code), pid)) {
        addFailure(QStringLiteral("start %1: %2 did not come up on the bus").arg(code, program));
        return {};
    }
    m_startedPid = pid;
    return attach(code);
}

// Waits in a local event loop (the window keeps painting) until the name is
// owned, the started program has ended, or the time limit has passed.
bool DBusAcadBinder::waitForName(const QString& name, qint64 pid)
{
    QDBusConnectionInterface* bus = m_bus.interface();
    if (!bus)
        return false;
    QDBusServiceWatcher watcher(name, m_bus, QDBusServiceWatcher::WatchForRegistration);
    QEventLoop loop;
    QObject::connect(&watcher, &QDBusServiceWatcher::serviceRegistered, &loop, &QEventLoop::quit);
    QTimer poll;
    const QDeadlineTimer deadline(m_options.startTimeoutMs);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (deadline.hasExpired() || !processAlive(pid))
            loop.quit();
    });
    poll.start(50);
    while (!bus->isServiceRegistered(name).value()) {
        if (deadline.hasExpired() || !processAlive(pid))
            return bus->isServiceRegistered(name).value();
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    return true;
}

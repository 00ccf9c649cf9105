#include "PrivateBus.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDeadlineTimer>
#include <QThread>

#include <atomic>

namespace {

std::atomic<int> connectionCounter{0};

// Keeps the event loop turning while waiting, so that queued D-Bus traffic of the
// test's own connection is handled.
template <typename Done>
bool waitUntil(int timeoutMs, Done done)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
    return true;
}

} // namespace

PrivateBus::PrivateBus()
{
    m_connectionName = QStringLiteral("private-bus-%1").arg(++connectionCounter);
    m_daemon.setProgram(QStringLiteral("dbus-daemon"));
    m_daemon.setArguments({QStringLiteral("--session"), QStringLiteral("--nofork"),
                           QStringLiteral("--nopidfile"), QStringLiteral("--print-address=1")});
    m_daemon.setProcessChannelMode(QProcess::SeparateChannels);
    m_daemon.start();
    if (!m_daemon.waitForStarted(10000)) {
        m_error = QStringLiteral("dbus-daemon did not start: ") + m_daemon.errorString();
        return;
    }
    QByteArray line;
    QDeadlineTimer deadline(10000);
    while (!line.contains('\n') && !deadline.hasExpired()) {
        if (!m_daemon.waitForReadyRead(int(deadline.remainingTime()))
            && m_daemon.state() != QProcess::Running)
            break;
        line += m_daemon.readAllStandardOutput();
    }
    m_address = QString::fromUtf8(line.left(line.indexOf('\n'))).trimmed();
    if (m_address.isEmpty())
        m_error = QStringLiteral("dbus-daemon printed no address: ")
                  + QString::fromLocal8Bit(m_daemon.readAllStandardError());
}

PrivateBus::~PrivateBus()
{
    QDBusConnection::disconnectFromBus(m_connectionName);
    if (m_daemon.state() != QProcess::NotRunning) {
        m_daemon.terminate();
        if (!m_daemon.waitForFinished(5000)) {
            m_daemon.kill();
            m_daemon.waitForFinished(5000);
        }
    }
}

QDBusConnection PrivateBus::connection() const
{
    return QDBusConnection::connectToBus(m_address, m_connectionName);
}

QProcessEnvironment PrivateBus::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_address);
    return env;
}

std::unique_ptr<QProcess> PrivateBus::start(const QString& program,
                                            const QStringList& arguments) const
{
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(environment());
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start(program, arguments);
    process->waitForStarted(10000);
    return process;
}

bool PrivateBus::waitForName(const QString& name, int timeoutMs, const QProcess* process) const
{
    QDBusConnection bus = connection();
    if (!bus.isConnected())
        return false;
    bool ended = false;
    const bool found = waitUntil(timeoutMs, [&] {
        if (process && process->state() == QProcess::NotRunning) {
            ended = true;
            return true;
        }
        return bus.interface()->isServiceRegistered(name).value();
    });
    return found && !ended;
}

bool PrivateBus::waitForNameGone(const QString& name, int timeoutMs) const
{
    QDBusConnection bus = connection();
    if (!bus.isConnected())
        return false;
    return waitUntil(timeoutMs, [&] { return !bus.interface()->isServiceRegistered(name).value(); });
}

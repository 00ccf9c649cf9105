#include "HostProcess.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDeadlineTimer>
#include <QThread>
#include <gtest/gtest.h>

namespace {

const QString Prefix = QStringLiteral("org.kavrel.CadHost.");

void spin(int ms)
{
    QDeadlineTimer t(ms);
    while (!t.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
}

QString show(const QVariant& v)
{
    if (v.canConvert<QDBusObjectPath>() && v.metaType() == QMetaType::fromType<QDBusObjectPath>())
        return v.value<QDBusObjectPath>().path();
    return v.toString();
}

} // namespace

HostProcess::HostProcess(const QStringList& arguments, int version)
    : m_service(QStringLiteral("org.kavrel.CadHost%1").arg(version))
{
    if (!m_bus.isValid()) {
        ADD_FAILURE() << m_bus.error().toStdString();
        return;
    }
    QDBusConnection c = m_bus.connection();
    for (const char* name : {"BeginCommand", "EndCommand", "BeginModal", "EndModal", "BeginOpen",
                             "EndOpen", "BeginSave", "EndSave", "BeginQuit"})
        c.connect(QString(), QString(), Prefix + QStringLiteral("ApplicationEvents"),
                  QString::fromLatin1(name), this, SLOT(onSignal(QDBusMessage)));
    for (const char* name : {"BeginCommand", "EndCommand", "BeginSave", "EndSave", "ObjectErased",
                             "BeginClose"})
        c.connect(QString(), QString(), Prefix + QStringLiteral("DocumentEvents"),
                  QString::fromLatin1(name), this, SLOT(onSignal(QDBusMessage)));
    QStringList args = arguments;
    if (version != 17)
        args << QStringLiteral("--version") << QString::number(version);
    m_process = m_bus.start(QStringLiteral(CADHOST_EXECUTABLE), args);
    if (!m_bus.waitForName(m_service, 30000, m_process.get()))
        ADD_FAILURE() << "cadhost did not register " << m_service.toStdString();
}

HostProcess::~HostProcess()
{
    if (m_process && m_process->state() != QProcess::NotRunning) {
        m_process->terminate();
        if (!m_process->waitForFinished(5000))
            m_process->kill();
        m_process->waitForFinished(5000);
    }
}

bool HostProcess::isRunning() const
{
    return m_process && m_process->state() == QProcess::Running;
}

QDBusMessage HostProcess::call(const QString& path, const QString& interface, const QString& method,
                               const QVariantList& args, int timeoutMs)
{
    QDBusMessage m = QDBusMessage::createMethodCall(m_service, path, Prefix + interface, method);
    m.setArguments(args);
    return m_bus.connection().call(m, QDBus::Block, timeoutMs);
}

QVariant HostProcess::get(const QString& path, const QString& interface, const QString& property)
{
    QDBusMessage m = QDBusMessage::createMethodCall(m_service, path,
                                                    QStringLiteral("org.freedesktop.DBus.Properties"),
                                                    QStringLiteral("Get"));
    m.setArguments({Prefix + interface, property});
    const QDBusMessage reply = m_bus.connection().call(m);
    if (reply.type() != QDBusMessage::ReplyMessage) {
        ADD_FAILURE() << "Get " << property.toStdString() << ": " << reply.errorMessage().toStdString();
        return {};
    }
    return reply.arguments().value(0).value<QDBusVariant>().variant();
}

QDBusMessage HostProcess::set(const QString& path, const QString& interface, const QString& property,
                              const QVariant& value)
{
    QDBusMessage m = QDBusMessage::createMethodCall(m_service, path,
                                                    QStringLiteral("org.freedesktop.DBus.Properties"),
                                                    QStringLiteral("Set"));
    m.setArguments({Prefix + interface, property, QVariant::fromValue(QDBusVariant(value))});
    return m_bus.connection().call(m);
}

QVariant HostProcess::value(const QString& path, const QString& interface, const QString& method,
                            const QVariantList& args)
{
    const QDBusMessage reply = call(path, interface, method, args);
    if (reply.type() != QDBusMessage::ReplyMessage) {
        ADD_FAILURE() << method.toStdString() << ": " << reply.errorMessage().toStdString();
        return {};
    }
    return reply.arguments().value(0);
}

QString HostProcess::objectPath(const QString& path, const QString& interface, const QString& method,
                                const QVariantList& args)
{
    return value(path, interface, method, args).value<QDBusObjectPath>().path();
}

void HostProcess::onSignal(const QDBusMessage& message)
{
    QStringList args;
    for (const QVariant& a : message.arguments())
        args << show(a);
    m_events << message.interface().mid(Prefix.size()) + u'.' + message.member() + u'('
                    + args.join(QStringLiteral(", ")) + u')';
}

QStringList HostProcess::events(int settleMs)
{
    spin(settleMs);
    return m_events;
}

void HostProcess::clearEvents()
{
    spin(100);
    m_events.clear();
}

bool HostProcess::waitForEvent(const QString& prefix, int timeoutMs)
{
    QDeadlineTimer t(timeoutMs);
    while (!t.hasExpired()) {
        for (const QString& e : m_events)
            if (e.startsWith(prefix))
                return true;
        spin(10);
    }
    return false;
}

int HostProcess::waitForExit(int timeoutMs)
{
    if (!m_process)
        return -1;
    QDeadlineTimer t(timeoutMs);
    while (m_process->state() != QProcess::NotRunning && !t.hasExpired())
        spin(20);
    return m_process->state() == QProcess::NotRunning ? m_process->exitCode() : -1;
}

QVariant HostProcess::point(double x, double y, double z)
{
    return QVariant::fromValue(QList<double>{x, y, z});
}

QList<double> HostProcess::toPoint(const QVariant& v)
{
    if (v.metaType() == QMetaType::fromType<QDBusArgument>()) {
        QList<double> list;
        v.value<QDBusArgument>() >> list;
        return list;
    }
    return v.value<QList<double>>();
}

QStringList HostProcess::toPaths(const QVariant& v)
{
    QList<QDBusObjectPath> list;
    if (v.metaType() == QMetaType::fromType<QDBusArgument>())
        v.value<QDBusArgument>() >> list;
    else
        list = v.value<QList<QDBusObjectPath>>();
    QStringList out;
    for (const QDBusObjectPath& p : list)
        out << p.path();
    return out;
}

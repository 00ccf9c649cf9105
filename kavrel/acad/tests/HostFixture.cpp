#include "HostFixture.h"

#include <QDBusConnectionInterface>

#include <signal.h>

void HostFixture::SetUp()
{
    m_bus = std::make_unique<PrivateBus>();
    ASSERT_TRUE(m_bus->isValid()) << m_bus->error().toStdString();
    ASSERT_TRUE(m_dir.isValid());
}

void HostFixture::TearDown()
{
    for (const QString& code : {QStringLiteral("15"), QStringLiteral("16"), QStringLiteral("17")})
        if (m_bus && m_bus->isValid() && hostRunning(code)) {
            QDBusMessage m = QDBusMessage::createMethodCall(DBusAcadBinder::serviceName(code),
                                                            QStringLiteral("/Control"),
                                                            QStringLiteral("org.kavrel.CadHost.Control"),
                                                            QStringLiteral("Quit"));
            m_bus->connection().call(m, QDBus::Block, 5000);
        }
    for (auto& host : m_hosts)
        if (!host->waitForFinished(5000))
            host->kill();
    for (qint64 pid : m_detached)
        ::kill(pid_t(pid), SIGKILL);
    m_hosts.clear();
    m_bus.reset();
}

QProcess& HostFixture::startHost(const QString& code)
{
    m_hosts.push_back(m_bus->start(QStringLiteral(CADHOST_EXE), {QStringLiteral("--version"), code}));
    QProcess& host = *m_hosts.back();
    EXPECT_TRUE(m_bus->waitForName(DBusAcadBinder::serviceName(code), 20000, &host))
        << "cadhost --version " << code.toStdString() << " did not come up";
    return host;
}

DBusAcadBinder::Options HostFixture::binderOptions() const
{
    DBusAcadBinder::Options o;
    o.hostProgram = QStringLiteral(CADHOST_EXE);
    o.environment = m_bus->environment();
    return o;
}

AcadApplication HostFixture::bind()
{
    DBusAcadBinder binder(m_bus->connection(), binderOptions());
    AcadApplication app = binder.bind();
    if (binder.startedProcessId() != 0)
        m_detached.push_back(binder.startedProcessId());
    EXPECT_FALSE(app.isNull()) << binder.failures().join(u'\n').toStdString();
    return app;
}

QDBusMessage HostFixture::control(const QString& code, const QString& member,
                                  const QVariantList& args)
{
    QDBusMessage m = QDBusMessage::createMethodCall(DBusAcadBinder::serviceName(code),
                                                    QStringLiteral("/Control"),
                                                    QStringLiteral("org.kavrel.CadHost.Control"),
                                                    member);
    m.setArguments(args);
    const QDBusMessage reply = m_bus->connection().call(m, QDBus::Block, 10000);
    EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage)
        << member.toStdString() << ": " << reply.errorMessage().toStdString();
    return reply;
}

bool HostFixture::hostRunning(const QString& code) const
{
    return m_bus->connection().interface()->isServiceRegistered(DBusAcadBinder::serviceName(code));
}

AcadDocument HostFixture::newDocument(const AcadApplication& app)
{
    return AcadDocument(
        app.object().object(QStringLiteral("Documents")).object(QStringLiteral("Add")));
}

std::optional<AcadError::Kind> HostFixture::failure(const std::function<void()>& f)
{
    try {
        f();
    } catch (const AcadError& e) {
        return e.kind();
    }
    return std::nullopt;
}

#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>

#include <memory>

// A D-Bus session bus of the test's own: a dbus-daemon started for the test and
// stopped with it, so that tests never talk to the desktop's bus, never meet
// another test's host and run in CI where no session bus exists.
class PrivateBus
{
public:
    PrivateBus();
    ~PrivateBus();
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    // False when the daemon could not be started; error() says why.
    bool isValid() const { return !m_address.isEmpty(); }
    QString error() const { return m_error; }
    QString address() const { return m_address; }

    // A connection of this process to the private bus.
    QDBusConnection connection() const;
    // The environment of this process with DBUS_SESSION_BUS_ADDRESS pointing to the
    // private bus, for the programs a test starts.
    QProcessEnvironment environment() const;
    // Starts a program on the private bus (standard error goes to the test's).
    std::unique_ptr<QProcess> start(const QString& program, const QStringList& arguments) const;

    // Waits until `name` has an owner; false after timeoutMs or when `process`
    // (if given) ended first.
    bool waitForName(const QString& name, int timeoutMs = 20000,
                     const QProcess* process = nullptr) const;
    // Waits until `name` has no owner any more.
    bool waitForNameGone(const QString& name, int timeoutMs = 20000) const;

private:
    QProcess m_daemon;
    QString m_address;
    QString m_error;
    QString m_connectionName;
};

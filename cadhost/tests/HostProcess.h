#pragma once

#include "PrivateBus.h"

#include <QDBusMessage>
#include <QObject>
#include <QStringList>
#include <QVariant>

#include <memory>

// A cadhost process on a private bus, with plain D-Bus calls to it and a record
// of the events it sends, for tests that talk to the host as any client would.
class HostProcess : public QObject
{
    Q_OBJECT
public:
    explicit HostProcess(const QStringList& arguments = {}, int version = 17);
    ~HostProcess() override;

    bool isRunning() const;
    QString service() const { return m_service; }
    PrivateBus& bus() { return m_bus; }

    // A method call; the reply or the error message.
    QDBusMessage call(const QString& path, const QString& interface, const QString& method,
                      const QVariantList& args = {}, int timeoutMs = 20000);
    QVariant get(const QString& path, const QString& interface, const QString& property);
    QDBusMessage set(const QString& path, const QString& interface, const QString& property,
                     const QVariant& value);
    // The first result of a successful call (test failure otherwise).
    QVariant value(const QString& path, const QString& interface, const QString& method,
                   const QVariantList& args = {});
    QString objectPath(const QString& path, const QString& interface, const QString& method,
                       const QVariantList& args = {});

    // Events received so far as "Interface.Member(args)" with the short interface
    // name, for example "DocumentEvents.ObjectErased(2113929218)"; waits for
    // pending ones first.
    QStringList events(int settleMs = 150);
    void clearEvents();
    // Waits until an event starting with `prefix` has come.
    bool waitForEvent(const QString& prefix, int timeoutMs = 10000);
    // Waits for the process to end; its exit code, or -1.
    int waitForExit(int timeoutMs = 20000);

    static QVariant point(double x, double y, double z);
    static QList<double> toPoint(const QVariant& v);
    static QStringList toPaths(const QVariant& v); // an array of object paths

private slots:
    void onSignal(const QDBusMessage& message);

private:
    PrivateBus m_bus;
    std::unique_ptr<QProcess> m_process;
    QString m_service;
    QStringList m_events;
};

#pragma once

#include "AcadEvents.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QList>
#include <QPair>

// A subscription to the event signals of one D-Bus object. All signals come
// through the one connection and are posted to this object's thread in the
// order they arrived, so they reach the workbench in the order the drawing
// program raised them. The destructor disconnects and tells the program
// (without waiting for it: it may be gone).
class DBusAcadEvents : public AcadEvents
{
    Q_OBJECT
public:
    // `signalNames` pairs (interface, signal) to receive.
    DBusAcadEvents(const QDBusConnection& connection, const QString& service, const QString& path,
                   const QString& iid, const QList<QPair<QString, QString>>& signalNames,
                   const QString& unadviseInterface);
    ~DBusAcadEvents() override;

private slots:
    void deliver(const QDBusMessage& message);

private:
    QDBusConnection m_connection;
    QString m_service;
    QString m_path;
    QList<QPair<QString, QString>> m_connected;
    QString m_unadviseInterface;
};

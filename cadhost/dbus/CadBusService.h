#pragma once

#include "BusPath.h"

#include <QDBusConnection>
#include <QDBusVirtualObject>

#include <memory>

class BusHandler;
class CadApplication;
class CadCommands;
class CadDocument;
class HostWindows;

// The drawing program on the session bus: one virtual object tree for every
// automation object, answering method calls and properties as the interface
// files describe them, with errors named org.kavrel.CadHost.Error.<kind>, and
// the application's and documents' events as signals.
class CadBusService : public QDBusVirtualObject
{
    Q_OBJECT
public:
    CadBusService(CadApplication& app, CadCommands& commands, HostWindows* windows,
                  QObject* parent = nullptr);
    ~CadBusService() override;

    // Registers the objects and the version's bus name; false with a reason when
    // there is no bus or the name has another owner.
    bool start(const QDBusConnection& connection, QString* error);

    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

    static QString errorName(int cadErrorKind);

private:
    // Interfaces of the object at path; CadError when it does not exist (any more).
    QStringList interfacesOf(const BusPath& path) const;
    QStringList children(const BusPath& path) const;
    BusHandler& handlerFor(const BusPath& path) const;
    void introspection(const QDBusMessage& message, const QDBusConnection& connection);
    void properties(const BusPath& path, const QStringList& interfaces,
                    const QDBusMessage& message, const QDBusConnection& connection);
    void method(const BusPath& path, const QStringList& interfaces, const QDBusMessage& message,
                const QDBusConnection& connection);
    void relay(CadDocument* document);
    void signal(const QString& path, const QString& interface, const QString& name,
                const QVariantList& args = {});

    CadApplication& m_app;
    QDBusConnection m_connection;
    std::unique_ptr<BusHandler> m_application;
    std::unique_ptr<BusHandler> m_documents;
    std::unique_ptr<BusHandler> m_control;
};

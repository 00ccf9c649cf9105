#include "DBusAcadEvents.h"

DBusAcadEvents::DBusAcadEvents(const QDBusConnection& connection, const QString& service,
                               const QString& path, const QString& iid,
                               const QList<QPair<QString, QString>>& signalNames,
                               const QString& unadviseInterface)
    : AcadEvents(iid), m_connection(connection), m_service(service), m_path(path),
      m_unadviseInterface(unadviseInterface)
{
    for (const auto& [iface, name] : signalNames)
        if (m_connection.connect(m_service, m_path, iface, name, this,
                                 SLOT(deliver(QDBusMessage))))
            m_connected.append({iface, name});
}

DBusAcadEvents::~DBusAcadEvents()
{
    for (const auto& [iface, name] : m_connected)
        m_connection.disconnect(m_service, m_path, iface, name, this, SLOT(deliver(QDBusMessage)));
    if (!m_unadviseInterface.isEmpty() && m_connection.isConnected()) {
        QDBusMessage m = QDBusMessage::createMethodCall(m_service, m_path, m_unadviseInterface,
                                                        QStringLiteral("Unadvise"));
        m << interfaceId();
        m.setAutoStartService(false);
        m_connection.send(m);
    }
}

void DBusAcadEvents::deliver(const QDBusMessage& message)
{
    const QString name = message.member().toLower();
    const QVariantList args = message.arguments();
    const QString text = args.value(0).toString();
    if (name == u"begincommand")
        emit beginCommand(text);
    else if (name == u"endcommand")
        emit endCommand(text);
    else if (name == u"beginmodal")
        emit beginModal();
    else if (name == u"endmodal")
        emit endModal();
    else if (name == u"beginopen")
        emit beginOpen(text);
    else if (name == u"endopen")
        emit endOpen(text);
    else if (name == u"beginsave")
        emit beginSave(text);
    else if (name == u"endsave")
        emit endSave(text);
    else if (name == u"beginquit")
        emit beginQuit();
    else if (name == u"objecterased")
        emit objectErased(args.value(0).toLongLong());
    else if (name == u"beginclose")
        emit beginClose();
}

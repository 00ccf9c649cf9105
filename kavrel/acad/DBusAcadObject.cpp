#include "DBusAcadObject.h"

#include "AcadEvents.h"
#include "DBusAcadSession.h"

QString DBusAcadObject::identity() const
{
    return m_session->service() + m_path;
}

QVariant DBusAcadObject::call(const QString& member, const QVariantList& args, AcadWait wait)
{
    return m_session->call(m_path, member, args, wait);
}

QVariant DBusAcadObject::property(const QString& name)
{
    return m_session->property(m_path, name);
}

void DBusAcadObject::setProperty(const QString& name, const QVariant& value)
{
    m_session->setProperty(m_path, name, value);
}

std::unique_ptr<AcadEvents> DBusAcadObject::advise(const QString& iid)
{
    return m_session->advise(m_path, iid);
}

void DBusAcadObject::bringToFront(qint64 hwnd)
{
    m_session->bringToFront(hwnd);
}

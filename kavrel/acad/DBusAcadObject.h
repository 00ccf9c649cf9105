#pragma once

#include "AcadObjectImpl.h"

#include <memory>

class DBusAcadSession;

// An object of the drawing program at one D-Bus object path.
class DBusAcadObject : public AcadObjectImpl
{
public:
    DBusAcadObject(std::shared_ptr<DBusAcadSession> session, const QString& path)
        : m_session(std::move(session)), m_path(path)
    {
    }

    const DBusAcadSession* session() const { return m_session.get(); }
    const QString& path() const { return m_path; }

    QString identity() const override;
    QVariant call(const QString& member, const QVariantList& args, AcadWait wait) override;
    QVariant property(const QString& name) override;
    void setProperty(const QString& name, const QVariant& value) override;
    std::unique_ptr<AcadEvents> advise(const QString& iid) override;
    void bringToFront(qint64 hwnd) override;

private:
    std::shared_ptr<DBusAcadSession> m_session;
    QString m_path;
};

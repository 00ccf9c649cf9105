#pragma once

#include "AcadObject.h"
#include "AcadWait.h"
#include "DBusMemberTable.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QHash>
#include <QString>
#include <functional>
#include <memory>

class AcadError;
class AcadEvents;

// One bound drawing program on D-Bus: the connection, the program's unique
// bus name (so that calls never reach a different program that took the
// well-known name after this one ended) and what its objects offer.
//
// Member descriptions come from introspection and are kept per path shape
// (/Document/3/Blocks/7 and /Document/5/Blocks/2 share one), so that walking
// a hundred block definitions costs one introspection, not a hundred. A shape
// may hold objects of several kinds (/Document/n/Object/m is a block
// reference, an attribute definition or a line): each kind met is kept, a
// call goes by the first kind that has the member, and when the object turns
// out to be of another kind it is introspected itself and the call repeated.
//
// Calls name the member but not its interface, as late binding names only the
// member: the object itself picks the one it has, so that an attribute
// definition and a block reference both answer InsertionPoint although the
// kind the description came from had it under another interface. The
// description gives the argument and result types.
class DBusAcadSession : public std::enable_shared_from_this<DBusAcadSession>
{
public:
    DBusAcadSession(const QDBusConnection& connection, const QString& service, int callTimeoutMs);

    const QDBusConnection& connection() const { return m_connection; }
    const QString& service() const { return m_service; }
    AcadObject objectAt(const QString& path);

    QVariant call(const QString& path, const QString& member, const QVariantList& args,
                  AcadWait wait);
    QVariant property(const QString& path, const QString& name);
    void setProperty(const QString& path, const QString& name, const QVariant& value);
    std::unique_ptr<AcadEvents> advise(const QString& path, const QString& iid);
    // On D-Bus no program may raise another's window; the drawing program
    // raises its own when asked on its control object.
    void bringToFront(qint64 hwnd);

    bool hostRunning() const;

private:
    using Table = std::shared_ptr<const DBusMemberTable>;
    struct Outcome
    {
        enum
        {
            Missing, // the table has no such member: nothing was sent
            Stale,   // sent, but the object is of another kind than the table
            Done
        } state = Missing;
        QVariant value;
    };
    using Attempt = std::function<Outcome(const DBusMemberTable& table)>;

    QVariant resolve(const QString& path, const QString& member, const Attempt& attempt);
    Table introspect(const QString& path);
    Outcome finish(const QDBusMessage& reply, const QStringList& types);
    QDBusMessage send(const QDBusMessage& message, AcadWait wait);
    QDBusMessage waitForPerson(const QDBusMessage& message);
    QDBusMessage methodCall(const QString& path, const DBusMemberTable::Method& method,
                            const QVariantList& args);
    QDBusMessage propertyGet(const QString& path, const DBusMemberTable::Property& property);
    QVariant result(const QDBusMessage& reply, const QStringList& types);
    QString pathOf(const AcadObject& object) const;
    AcadError errorOf(const QDBusMessage& reply) const;

    QDBusConnection m_connection;
    QString m_service;
    int m_callTimeoutMs;
    QHash<QString, QList<Table>> m_byShape;
};

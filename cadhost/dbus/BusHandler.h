#pragma once

#include "BusPath.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariant>

// One call being answered: the message (for a delayed reply), the connection it
// came on and its arguments, points already as QList<double>.
struct BusCall
{
    QDBusMessage message;
    QDBusConnection connection;
    QVariantList args;
    bool delayed = false;
    // The answer comes later (the handler sends it on `connection`).
    void delay()
    {
        message.setDelayedReply(true);
        delayed = true;
    }
};

// Answers the members of a family of automation objects. Names arrive as the
// interface files spell them and arguments already checked against their
// signatures; failures are thrown as CadError.
class BusHandler
{
public:
    virtual ~BusHandler() = default;
    virtual QVariant get(const BusPath& path, const QString& property) = 0;
    virtual void set(const BusPath& path, const QString& property, const QVariant& value) = 0;
    virtual QVariantList call(const BusPath& path, const QString& method, BusCall& call) = 0;
};

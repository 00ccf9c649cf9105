#include "DBusAcadSession.h"

#include "AcadError.h"
#include "DBusAcadEvents.h"
#include "DBusAcadObject.h"
#include "DBusValues.h"

#include <QDBusConnectionInterface>
#include <QDBusPendingCall>
#include <QDBusPendingCallWatcher>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QEventLoop>
#include <QRegularExpression>
#include <algorithm>
#include <limits>

namespace {
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
const QString kErrorPrefix = QStringLiteral("org.kavrel.CadHost.Error.");

// Numbered path elements are instances of one kind of object.
QString shapeOf(const QString& path)
{
    static const QRegularExpression number(QStringLiteral("/[0-9]+(?=/|$)"));
    QString shape = path;
    return shape.replace(number, QStringLiteral("/#"));
}

// The reply says the object is not of the kind its shape suggested.
bool describesOtherKind(const QDBusMessage& reply)
{
    if (reply.type() != QDBusMessage::ErrorMessage)
        return false;
    const QString name = reply.errorName();
    return name == u"org.freedesktop.DBus.Error.UnknownMethod" ||
           name == u"org.freedesktop.DBus.Error.UnknownInterface" ||
           name == u"org.freedesktop.DBus.Error.UnknownProperty";
}

[[noreturn]] void unknownMember(const QString& path, const QString& member)
{
    throw AcadError(AcadError::Kind::UnknownMember,
                    QStringLiteral("The drawing program's object %1 has no member \"%2\".")
                        .arg(path, member));
}
} // namespace

DBusAcadSession::DBusAcadSession(const QDBusConnection& connection, const QString& service,
                                 int callTimeoutMs)
    : m_connection(connection), m_service(service), m_callTimeoutMs(callTimeoutMs)
{
}

AcadObject DBusAcadSession::objectAt(const QString& path)
{
    return AcadObject(std::make_shared<DBusAcadObject>(shared_from_this(), path));
}

bool DBusAcadSession::hostRunning() const
{
    QDBusConnectionInterface* bus = m_connection.interface();
    return bus && bus->isServiceRegistered(m_service).value();
}

DBusAcadSession::Table DBusAcadSession::introspect(const QString& path)
{
    QDBusMessage m = QDBusMessage::createMethodCall(
        m_service, path, QStringLiteral("org.freedesktop.DBus.Introspectable"),
        QStringLiteral("Introspect"));
    const QDBusMessage reply = send(m, AcadWait::Ordinary);
    if (reply.type() != QDBusMessage::ReplyMessage)
        throw errorOf(reply);
    auto table = std::make_shared<const DBusMemberTable>(
        DBusMemberTable::parse(reply.arguments().value(0).toString()));
    QList<Table>& kinds = m_byShape[shapeOf(path)];
    const bool known = std::any_of(kinds.cbegin(), kinds.cend(), [&](const Table& t) {
        return t->interfaces() == table->interfaces();
    });
    if (!known && !table->isEmpty())
        kinds.append(table);
    return table;
}

QVariant DBusAcadSession::resolve(const QString& path, const QString& member,
                                  const Attempt& attempt)
{
    const QList<Table> kinds = m_byShape.value(shapeOf(path));
    for (const Table& table : kinds) {
        const Outcome o = attempt(*table);
        if (o.state == Outcome::Done)
            return o.value;
        if (o.state == Outcome::Stale)
            break;
    }
    const Outcome o = attempt(*introspect(path));
    if (o.state == Outcome::Done)
        return o.value;
    unknownMember(path, member);
}

DBusAcadSession::Outcome DBusAcadSession::finish(const QDBusMessage& reply,
                                                 const QStringList& types)
{
    if (describesOtherKind(reply))
        return {Outcome::Stale, {}};
    if (reply.type() != QDBusMessage::ReplyMessage)
        throw errorOf(reply);
    return {Outcome::Done, result(reply, types)};
}

QDBusMessage DBusAcadSession::send(const QDBusMessage& message, AcadWait wait)
{
    QDBusMessage m = message;
    m.setAutoStartService(false);
    if (wait == AcadWait::Interactive)
        return waitForPerson(m);
    return m_connection.call(m, QDBus::Block, m_callTimeoutMs);
}

// A pick waits as long as the person takes, in a local event loop, so that the
// drawing program's events are delivered meanwhile in the order they come;
// user input to this program's windows waits until the pick is over, so that
// no second command starts inside the first. The wait ends early when the
// drawing program leaves the bus.
QDBusMessage DBusAcadSession::waitForPerson(const QDBusMessage& message)
{
    QDBusServiceWatcher gone(m_service, m_connection, QDBusServiceWatcher::WatchForUnregistration);
    QDBusPendingCall pending = m_connection.asyncCall(message, std::numeric_limits<int>::max());
    QDBusPendingCallWatcher watcher(pending);
    QEventLoop loop;
    QObject::connect(&watcher, &QDBusPendingCallWatcher::finished, &loop, &QEventLoop::quit);
    QObject::connect(&gone, &QDBusServiceWatcher::serviceUnregistered, &loop, &QEventLoop::quit);
    if (!pending.isFinished() && hostRunning())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!pending.isFinished())
        throw AcadError(AcadError::Kind::NoHost,
                        QStringLiteral("The drawing program ended while waiting for a pick."));
    return pending.reply();
}

QDBusMessage DBusAcadSession::methodCall(const QString& path,
                                         const DBusMemberTable::Method& method,
                                         const QVariantList& args)
{
    if (args.size() != method.in.size())
        throw AcadError(AcadError::Kind::InvalidArgument,
                        QStringLiteral("%1 takes %2 arguments, not %3.")
                            .arg(method.name)
                            .arg(method.in.size())
                            .arg(args.size()));
    QDBusMessage m = QDBusMessage::createMethodCall(m_service, path, QString(), method.name);
    const auto pathOf = [this](const AcadObject& o) { return this->pathOf(o); };
    QVariantList wire;
    for (int i = 0; i < args.size(); ++i)
        wire.append(DBusValues::toWire(
            args[i], method.in[i], pathOf,
            QStringLiteral("argument %1 of %2").arg(i + 1).arg(method.name)));
    m.setArguments(wire);
    return m;
}

QDBusMessage DBusAcadSession::propertyGet(const QString& path,
                                          const DBusMemberTable::Property& property)
{
    QDBusMessage m =
        QDBusMessage::createMethodCall(m_service, path, kProperties, QStringLiteral("Get"));
    m << QString() << property.name;
    return m;
}

QVariant DBusAcadSession::result(const QDBusMessage& reply, const QStringList& types)
{
    const auto objectAt = [this](const QString& p) { return this->objectAt(p); };
    const QVariantList args = reply.arguments();
    if (types.isEmpty())
        return {};
    if (types.size() == 1)
        return DBusValues::fromWire(args.value(0), types[0], objectAt);
    QVariantList all;
    for (int i = 0; i < types.size(); ++i)
        all.append(DBusValues::fromWire(args.value(i), types[i], objectAt));
    return all;
}

QVariant DBusAcadSession::call(const QString& path, const QString& member,
                               const QVariantList& args, AcadWait wait)
{
    return resolve(path, member, [&](const DBusMemberTable& table) -> Outcome {
        if (const auto* method = table.method(member))
            return finish(send(methodCall(path, *method, args), wait), method->out);
        // Automation reads a property by the same call as a method without arguments.
        const auto* prop = table.property(member);
        if (prop && args.isEmpty())
            return finish(send(propertyGet(path, *prop), AcadWait::Ordinary), {prop->type});
        return {};
    });
}

QVariant DBusAcadSession::property(const QString& path, const QString& name)
{
    return resolve(path, name, [&](const DBusMemberTable& table) -> Outcome {
        const auto* prop = table.property(name);
        if (!prop)
            return {};
        return finish(send(propertyGet(path, *prop), AcadWait::Ordinary), {prop->type});
    });
}

void DBusAcadSession::setProperty(const QString& path, const QString& name, const QVariant& value)
{
    resolve(path, name, [&](const DBusMemberTable& table) -> Outcome {
        const auto* prop = table.property(name);
        if (!prop)
            return {};
        if (!prop->writable)
            throw AcadError(AcadError::Kind::InvalidArgument,
                            QStringLiteral("%1 cannot be changed.").arg(prop->name));
        const QVariant wire = DBusValues::toWire(
            value, prop->type, [this](const AcadObject& o) { return pathOf(o); },
            QStringLiteral("value of %1").arg(prop->name));
        QDBusMessage m =
            QDBusMessage::createMethodCall(m_service, path, kProperties, QStringLiteral("Set"));
        m << QString() << prop->name << QVariant::fromValue(QDBusVariant(wire));
        return finish(send(m, AcadWait::Ordinary), {});
    });
}

std::unique_ptr<AcadEvents> DBusAcadSession::advise(const QString& path, const QString& iid)
{
    // The program checks the identifier; a wrong one is refused before any
    // signal is connected.
    call(path, QStringLiteral("Advise"), {iid}, AcadWait::Ordinary);
    const Table table = introspect(path);
    QList<QPair<QString, QString>> signalNames;
    for (const DBusMemberTable::Signal& s : table->signalList())
        if (s.interface.endsWith(u"Events"))
            signalNames.append({s.interface, s.name});
    const auto* unadvise = table->method(QStringLiteral("Unadvise"));
    return std::make_unique<DBusAcadEvents>(m_connection, m_service, path, iid, signalNames,
                                            unadvise ? unadvise->interface : QString());
}

void DBusAcadSession::bringToFront(qint64 hwnd)
{
    call(QStringLiteral("/Control"), QStringLiteral("RaiseWindow"), {hwnd}, AcadWait::Ordinary);
}

QString DBusAcadSession::pathOf(const AcadObject& object) const
{
    if (object.isNull())
        return QStringLiteral("/");
    const auto* o = dynamic_cast<const DBusAcadObject*>(object.implementation());
    if (!o || o->session() != this)
        throw AcadError(AcadError::Kind::InvalidArgument,
                        QStringLiteral("The object belongs to another drawing program."));
    return o->path();
}

AcadError DBusAcadSession::errorOf(const QDBusMessage& reply) const
{
    using Kind = AcadError::Kind;
    const QString name = reply.errorName();
    const QString text = reply.errorMessage().isEmpty() ? name : reply.errorMessage();
    if (name.startsWith(kErrorPrefix)) {
        static const QHash<QString, Kind> kinds = {
            {QStringLiteral("InvalidArgument"), Kind::InvalidArgument},
            {QStringLiteral("NotFound"), Kind::NotFound},
            {QStringLiteral("Erased"), Kind::Erased},
            {QStringLiteral("FileError"), Kind::FileError},
            {QStringLiteral("Cancelled"), Kind::Cancelled},
            {QStringLiteral("AlreadyLoaded"), Kind::AlreadyLoaded},
        };
        return AcadError(kinds.value(name.mid(kErrorPrefix.size()), Kind::Failed), text);
    }
    if (name == u"org.freedesktop.DBus.Error.NoReply")
        return hostRunning()
                   ? AcadError(Kind::Timeout,
                               QStringLiteral("The drawing program did not answer in time."))
                   : AcadError(Kind::NoHost, QStringLiteral("The drawing program ended."));
    if (name == u"org.freedesktop.DBus.Error.ServiceUnknown" ||
        name == u"org.freedesktop.DBus.Error.NameHasNoOwner" ||
        name == u"org.freedesktop.DBus.Error.Disconnected")
        return AcadError(Kind::NoHost, QStringLiteral("The drawing program is not running."));
    if (name == u"org.freedesktop.DBus.Error.UnknownObject")
        return AcadError(Kind::NotFound,
                         QStringLiteral("The object no longer exists in the drawing program."));
    if (describesOtherKind(reply))
        return AcadError(Kind::UnknownMember, text);
    if (name == u"org.freedesktop.DBus.Error.InvalidArgs")
        return AcadError(Kind::InvalidArgument, text);
    return AcadError(Kind::Failed, text);
}

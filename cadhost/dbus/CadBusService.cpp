#include "CadBusService.h"

#include "ApplicationObjects.h"
#include "BusInterfaces.h"
#include "CadApplication.h"
#include "CadDocument.h"
#include "CadError.h"
#include "ControlObject.h"
#include "DocumentObjects.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMetaType>
#include <QDBusVariant>

namespace {

const QString Prefix = QStringLiteral("org.kavrel.CadHost.");
const QString Introspectable = QStringLiteral("org.freedesktop.DBus.Introspectable");
const QString Properties = QStringLiteral("org.freedesktop.DBus.Properties");

const char* const Standard = R"(  <interface name="org.freedesktop.DBus.Introspectable">
    <method name="Introspect"><arg name="xml_data" type="s" direction="out"/></method>
  </interface>
  <interface name="org.freedesktop.DBus.Properties">
    <method name="Get"><arg name="interface_name" type="s" direction="in"/><arg name="property_name" type="s" direction="in"/><arg name="value" type="v" direction="out"/></method>
    <method name="Set"><arg name="interface_name" type="s" direction="in"/><arg name="property_name" type="s" direction="in"/><arg name="value" type="v" direction="in"/></method>
    <method name="GetAll"><arg name="interface_name" type="s" direction="in"/><arg name="values" type="a{sv}" direction="out"/></method>
  </interface>
  <interface name="org.freedesktop.DBus.Peer">
    <method name="Ping"/>
    <method name="GetMachineId"><arg name="machine_uuid" type="s" direction="out"/></method>
  </interface>
)";

// The single complete types of a signature made of basic types and arrays of them.
QStringList splitSignature(const QString& signature)
{
    QStringList types;
    for (qsizetype i = 0; i < signature.size(); ++i) {
        if (signature[i] == u'a' && i + 1 < signature.size()) {
            types << signature.mid(i, 2);
            ++i;
        } else {
            types << QString(signature[i]);
        }
    }
    return types;
}

// D-Bus arrays arrive as QDBusArgument; the handlers take Qt values.
QVariant fromBus(const QVariant& value, const QString& type)
{
    if (value.metaType() != QMetaType::fromType<QDBusArgument>())
        return value;
    const QDBusArgument arg = value.value<QDBusArgument>();
    if (type == u"ad") {
        QList<double> list;
        arg >> list;
        return QVariant::fromValue(list);
    }
    return value;
}

QString signatureOf(const QVariant& value)
{
    if (value.metaType() == QMetaType::fromType<QDBusArgument>())
        return value.value<QDBusArgument>().currentSignature();
    const char* s = QDBusMetaType::typeToSignature(value.metaType());
    return s ? QString::fromLatin1(s) : QString();
}

[[noreturn]] void unknown(const QString& text)
{
    throw CadError(CadError::NotFound, text);
}

} // namespace

CadBusService::CadBusService(CadApplication& app, CadCommands& commands, HostWindows* windows,
                             QObject* parent)
    : QDBusVirtualObject(parent), m_app(app), m_connection(QStringLiteral("unconnected")),
      m_application(std::make_unique<ApplicationObjects>(app)),
      m_documents(std::make_unique<DocumentObjects>(app)),
      m_control(std::make_unique<ControlObject>(app, commands, windows))
{
    const auto appSignal = [this](const char* name) {
        return [this, name](auto... args) {
            signal(BusPath::application(), Prefix + QStringLiteral("ApplicationEvents"),
                   QString::fromLatin1(name), QVariantList{QVariant::fromValue(args)...});
        };
    };
    connect(&app, &CadApplication::beginCommand, this, appSignal("BeginCommand"));
    connect(&app, &CadApplication::endCommand, this, appSignal("EndCommand"));
    connect(&app, &CadApplication::beginModal, this, appSignal("BeginModal"));
    connect(&app, &CadApplication::endModal, this, appSignal("EndModal"));
    connect(&app, &CadApplication::beginOpen, this, appSignal("BeginOpen"));
    connect(&app, &CadApplication::endOpen, this, appSignal("EndOpen"));
    connect(&app, &CadApplication::beginSave, this, appSignal("BeginSave"));
    connect(&app, &CadApplication::endSave, this, appSignal("EndSave"));
    connect(&app, &CadApplication::beginQuit, this, appSignal("BeginQuit"));
    connect(&app, &CadApplication::documentAdded, this, &CadBusService::relay);
    for (CadDocument* d : app.documents())
        relay(d);
}

CadBusService::~CadBusService() = default;

void CadBusService::relay(CadDocument* document)
{
    const int n = document->number();
    const auto docSignal = [this, n](const char* name) {
        return [this, n, name](auto... args) {
            signal(BusPath::document(n), Prefix + QStringLiteral("DocumentEvents"),
                   QString::fromLatin1(name), QVariantList{QVariant::fromValue(args)...});
        };
    };
    connect(document, &CadDocument::beginCommand, this, docSignal("BeginCommand"));
    connect(document, &CadDocument::endCommand, this, docSignal("EndCommand"));
    connect(document, &CadDocument::beginSave, this, docSignal("BeginSave"));
    connect(document, &CadDocument::endSave, this, docSignal("EndSave"));
    connect(document, &CadDocument::objectErased, this, [this, n](qint64 id) {
        signal(BusPath::document(n), Prefix + QStringLiteral("DocumentEvents"),
               QStringLiteral("ObjectErased"), {QVariant::fromValue(qlonglong(id))});
    });
    connect(document, &CadDocument::beginClose, this, docSignal("BeginClose"));
}

void CadBusService::signal(const QString& path, const QString& interface, const QString& name,
                           const QVariantList& args)
{
    QDBusMessage message = QDBusMessage::createSignal(path, interface, name);
    message.setArguments(args);
    m_connection.send(message);
}

bool CadBusService::start(const QDBusConnection& connection, QString* error)
{
    m_connection = connection;
    if (!connection.isConnected()) {
        *error = QStringLiteral("There is no D-Bus session bus: %1").arg(connection.lastError().message());
        return false;
    }
    if (!m_connection.registerVirtualObject(QStringLiteral("/"), this,
                                            QDBusConnection::SubPath)) {
        *error = QStringLiteral("The automation objects cannot be registered: %1")
                     .arg(m_connection.lastError().message());
        return false;
    }
    const QString name = m_app.version().busName();
    const auto reply = m_connection.interface()->registerService(
        name, QDBusConnectionInterface::DontQueueService, QDBusConnectionInterface::DontAllowReplacement);
    if (!reply.isValid() || reply.value() != QDBusConnectionInterface::ServiceRegistered) {
        *error = QStringLiteral("The bus name %1 is taken: another drawing host of version %2 runs.")
                     .arg(name)
                     .arg(m_app.version().code());
        return false;
    }
    return true;
}

QString CadBusService::errorName(int kind)
{
    return Prefix + QStringLiteral("Error.") + CadError::kindName(CadError::Kind(kind));
}

BusHandler& CadBusService::handlerFor(const BusPath& path) const
{
    switch (path.kind) {
    case BusPath::Control: return *m_control;
    case BusPath::Application:
    case BusPath::Documents:
    case BusPath::MenuGroups:
    case BusPath::MenuGroup:
    case BusPath::Menus:
    case BusPath::Menubar: return *m_application;
    default: return *m_documents;
    }
}

QStringList CadBusService::interfacesOf(const BusPath& path) const
{
    const auto i = [](const char* name) { return Prefix + QString::fromLatin1(name); };
    CadDocument* doc = nullptr;
    if (path.kind >= BusPath::Document) {
        doc = m_app.document(path.doc);
        if (!doc)
            unknown(QStringLiteral("The document %1 is not open.").arg(path.doc));
    }
    switch (path.kind) {
    case BusPath::Unknown: unknown(QStringLiteral("There is no such object."));
    case BusPath::Root:
    case BusPath::DocumentNode:
    case BusPath::ObjectNode: return {};
    case BusPath::Application: return {i("Application"), i("ApplicationEvents")};
    case BusPath::Documents: return {i("Documents")};
    case BusPath::MenuGroups: return {i("MenuGroups")};
    case BusPath::MenuGroup:
    case BusPath::Menus:
        if (path.index >= m_app.menuGroups().count())
            unknown(QStringLiteral("There is no menu group %1.").arg(path.index));
        return {i(path.kind == BusPath::Menus ? "Menus" : "MenuGroup")};
    case BusPath::Menubar: return {i("Menubar")};
    case BusPath::Control: return {i("Control")};
    case BusPath::Document: return {i("Document"), i("DocumentEvents")};
    case BusPath::ModelSpace: return {i("ModelSpace")};
    case BusPath::Blocks: return {i("Blocks")};
    case BusPath::Utility: return {i("Utility")};
    case BusPath::Block: {
        const auto l = doc->content().require(path.id);
        if (doc->content().kindOf(l) != DrawingContent::ObjectKind::Block)
            unknown(QStringLiteral("The object %1 is not a block definition.").arg(path.id));
        return {i("Block")};
    }
    case BusPath::Entity:
    case BusPath::AttributeNode: {
        const auto l = doc->content().require(path.id);
        if (doc->content().kindOf(l) != DrawingContent::ObjectKind::Entity)
            unknown(QStringLiteral("The object %1 is not an entity.").arg(path.id));
        if (path.kind == BusPath::AttributeNode)
            return {};
        const DxfEntityKind kind = doc->content().entity(l).dxf.kind;
        if (kind == DxfEntityKind::Insert)
            return {i("Entity"), i("BlockReference")};
        if (kind == DxfEntityKind::AttributeDefinition)
            return {i("Entity"), i("AttributeDefinition")};
        return {i("Entity")};
    }
    case BusPath::Attribute: {
        const auto l = doc->content().require(path.id);
        if (doc->content().kindOf(l) != DrawingContent::ObjectKind::Entity
            || path.index >= doc->content().entity(l).dxf.attributes.size())
            unknown(QStringLiteral("The object %1 has no attribute %2.").arg(path.id).arg(path.index));
        return {i("Attribute")};
    }
    }
    return {};
}

QStringList CadBusService::children(const BusPath& path) const
{
    QStringList out;
    const CadDocument* doc = path.kind >= BusPath::Document ? m_app.document(path.doc) : nullptr;
    switch (path.kind) {
    case BusPath::Root: return {QStringLiteral("Application"), QStringLiteral("Control"), QStringLiteral("Document")};
    case BusPath::Application: return {QStringLiteral("Documents"), QStringLiteral("MenuGroups"), QStringLiteral("Menubar")};
    case BusPath::MenuGroups:
        for (int n = 0; n < m_app.menuGroups().count(); ++n)
            out << QString::number(n);
        return out;
    case BusPath::MenuGroup: return {QStringLiteral("Menus")};
    case BusPath::DocumentNode:
        for (const CadDocument* d : m_app.documents())
            out << QString::number(d->number());
        return out;
    case BusPath::Document:
        return {QStringLiteral("ModelSpace"), QStringLiteral("Blocks"), QStringLiteral("Utility"), QStringLiteral("Object")};
    case BusPath::Blocks:
        for (int n = 0; doc && n < doc->content().blockCount(); ++n)
            out << QString::number(doc->content().blockItem(n));
        return out;
    case BusPath::ObjectNode:
        for (int n = 0; doc && n < doc->content().modelCount(); ++n)
            out << QString::number(doc->content().modelItem(n));
        return out;
    case BusPath::Entity:
        if (doc) {
            const auto l = doc->content().locate(path.id);
            if (l && !doc->content().entity(*l).dxf.attributes.isEmpty())
                return {QStringLiteral("Attribute")};
        }
        return {};
    case BusPath::AttributeNode:
        if (doc)
            if (const auto l = doc->content().locate(path.id))
                for (int n = 0; n < doc->content().entity(*l).dxf.attributes.size(); ++n)
                    out << QString::number(n);
        return out;
    default: return {};
    }
}

QString CadBusService::introspect(const QString& path) const
{
    QString xml;
    try {
        for (const QString& name : interfacesOf(BusPath::parse(path)))
            if (const auto* iface = BusInterfaces::instance().find(name))
                xml += iface->xml;
    } catch (const CadError&) {
    }
    return xml;
}

void CadBusService::introspection(const QDBusMessage& message, const QDBusConnection& connection)
{
    const BusPath path = BusPath::parse(message.path());
    QString xml = QStringLiteral(
        "<!DOCTYPE node PUBLIC \"-//freedesktop//DTD D-BUS Object Introspection 1.0//EN\"\n"
        " \"http://www.freedesktop.org/standards/dbus/1.0/introspect.dtd\">\n<node>\n");
    xml += introspect(message.path());
    xml += QString::fromLatin1(Standard);
    for (const QString& child : children(path))
        xml += QStringLiteral("  <node name=\"%1\"/>\n").arg(child);
    xml += QStringLiteral("</node>\n");
    connection.send(message.createReply(xml));
}

namespace {

const BusInterfaces::Property* findProperty(const QStringList& interfaces, const QString& wanted,
                                            const QString& name, QString* owner)
{
    for (const QString& i : interfaces) {
        if (!wanted.isEmpty() && wanted != i)
            continue;
        if (const auto* iface = BusInterfaces::instance().find(i)) {
            const auto it = iface->properties.constFind(name.toLower());
            if (it != iface->properties.constEnd()) {
                *owner = i;
                return &*it;
            }
        }
    }
    return nullptr;
}

} // namespace

void CadBusService::properties(const BusPath& path, const QStringList& interfaces,
                               const QDBusMessage& message, const QDBusConnection& connection)
{
    const QVariantList args = message.arguments();
    const QString member = message.member();
    const QString wanted = args.value(0).toString();
    if (!wanted.isEmpty() && !interfaces.contains(wanted))
        throw CadError(CadError::NotFound, QStringLiteral("The object has no interface %1.").arg(wanted));
    BusHandler& handler = handlerFor(path);
    if (member == u"GetAll" && message.signature() == u"s") {
        QVariantMap all;
        for (const QString& i : interfaces) {
            const auto* iface = BusInterfaces::instance().find(i);
            if (!iface || (!wanted.isEmpty() && wanted != i))
                continue;
            for (const auto& p : iface->properties)
                all.insert(p.name, handler.get(path, p.name));
        }
        connection.send(message.createReply(QVariant::fromValue(all)));
        return;
    }
    QString owner;
    const auto* property = findProperty(interfaces, wanted, args.value(1).toString(), &owner);
    if (member == u"Get" && message.signature() == u"ss") {
        if (!property)
            throw CadError(CadError::NotFound,
                           QStringLiteral("The object has no property %1.").arg(args.value(1).toString()));
        connection.send(message.createReply(
            QVariant::fromValue(QDBusVariant(handler.get(path, property->name)))));
        return;
    }
    if (member == u"Set" && message.signature() == u"ssv") {
        if (!property)
            throw CadError(CadError::NotFound,
                           QStringLiteral("The object has no property %1.").arg(args.value(1).toString()));
        if (!property->writable)
            throw CadError(CadError::InvalidArgument,
                           QStringLiteral("The property %1 cannot be changed.").arg(property->name));
        const QVariant value = args.value(2).value<QDBusVariant>().variant();
        if (signatureOf(value) != property->type)
            throw CadError(CadError::InvalidArgument,
                           QStringLiteral("The property %1 takes a value of type %2, not %3.")
                               .arg(property->name, property->type, signatureOf(value)));
        handler.set(path, property->name, fromBus(value, property->type));
        connection.send(message.createReply());
        return;
    }
    throw CadError(CadError::InvalidArgument,
                   QStringLiteral("Properties has no method %1 (%2).").arg(member, message.signature()));
}

void CadBusService::method(const BusPath& path, const QStringList& interfaces,
                           const QDBusMessage& message, const QDBusConnection& connection)
{
    const QString wanted = message.interface();
    const BusInterfaces::Method* found = nullptr;
    for (const QString& i : interfaces) {
        if (!wanted.isEmpty() && wanted != i)
            continue;
        if (const auto* iface = BusInterfaces::instance().find(i)) {
            // Automation members are found without regard to case.
            const auto it = iface->methods.constFind(message.member().toLower());
            if (it != iface->methods.constEnd()) {
                found = &*it;
                break;
            }
        }
    }
    if (!found) {
        connection.send(message.createErrorReply(
            QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod"),
            QStringLiteral("The object %1 has no method %2.").arg(message.path(), message.member())));
        return;
    }
    if (message.signature() != found->in)
        throw CadError(CadError::InvalidArgument,
                       QStringLiteral("%1 takes the arguments (%2), not (%3).")
                           .arg(found->name, found->in, message.signature()));
    BusCall call{message, connection, {}, false};
    const QStringList types = splitSignature(found->in);
    const QVariantList args = message.arguments();
    for (int k = 0; k < args.size(); ++k)
        call.args << fromBus(args[k], types.value(k));
    const QVariantList out = handlerFor(path).call(path, found->name, call);
    if (!call.delayed)
        connection.send(message.createReply(out));
}

bool CadBusService::handleMessage(const QDBusMessage& message, const QDBusConnection& connection)
{
    if (message.type() != QDBusMessage::MethodCallMessage)
        return false;
    const QString iface = message.interface();
    try {
        if ((iface.isEmpty() || iface == Introspectable) && message.member() == u"Introspect") {
            introspection(message, connection);
            return true;
        }
        if (iface == QLatin1String("org.freedesktop.DBus.Peer"))
            return false;
        const BusPath path = BusPath::parse(message.path());
        if (path.kind == BusPath::Unknown) {
            connection.send(message.createErrorReply(
                QStringLiteral("org.freedesktop.DBus.Error.UnknownObject"),
                QStringLiteral("There is no object %1.").arg(message.path())));
            return true;
        }
        const QStringList interfaces = interfacesOf(path);
        if (iface == Properties)
            properties(path, interfaces, message, connection);
        else
            method(path, interfaces, message, connection);
    } catch (const CadError& e) {
        connection.send(message.createErrorReply(errorName(e.kind()), e.text()));
    } catch (const std::exception& e) {
        // Whatever goes wrong inside, the caller gets an answer and the host lives on.
        connection.send(message.createErrorReply(errorName(CadError::Failed),
                                                 QString::fromLocal8Bit(e.what())));
    }
    return true;
}

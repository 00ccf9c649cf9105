#include "DocumentObjects.h"

#include "ArgumentCheck.h"
#include "BusValues.h"
#include "CadApplication.h"
#include "CadDocument.h"
#include "CadError.h"
#include "PickRequest.h"

#include <QDBusObjectPath>

#include <cmath>

namespace {

[[noreturn]] void fail(CadError::Kind kind, const QString& text)
{
    throw CadError(kind, text);
}

int entityType(DxfEntityKind kind)
{
    switch (kind) {
    case DxfEntityKind::Insert: return 7;
    case DxfEntityKind::Line: return 101;
    case DxfEntityKind::Polyline: return 102;
    case DxfEntityKind::Circle: return 103;
    case DxfEntityKind::Arc: return 104;
    case DxfEntityKind::Text: return 105;
    case DxfEntityKind::AttributeDefinition: return 106;
    }
    return 0;
}

double radians(double degrees)
{
    return degrees * M_PI / 180.0;
}

int itemIndex(const QVariant& v, int count, const QString& what)
{
    const int i = v.toInt();
    if (i < 0 || i >= count)
        fail(CadError::NotFound, QStringLiteral("There is no %1 %2 (there are %3).").arg(what).arg(i).arg(count));
    return i;
}

} // namespace

CadDocument& DocumentObjects::document(const BusPath& path) const
{
    CadDocument* d = m_app.document(path.doc);
    if (!d)
        fail(CadError::NotFound, QStringLiteral("The document %1 is not open.").arg(path.doc));
    return *d;
}

QVariant DocumentObjects::get(const BusPath& path, const QString& p)
{
    CadDocument& d = document(path);
    const DrawingContent& c = d.content();
    switch (path.kind) {
    case BusPath::Document: return documentProperty(d, p);
    case BusPath::ModelSpace: return c.modelCount();
    case BusPath::Blocks: return c.blockCount();
    case BusPath::Block: {
        const DrawingContent::Block& b = c.block(c.require(path.id));
        if (p == u"Name")
            return b.name;
        if (p == u"Origin")
            return BusValues::fromPoint(b.origin);
        if (p == u"ObjectID")
            return qlonglong(b.id);
        if (p == u"Handle")
            return dxfHandleText(b.handle);
        return int(std::count_if(b.entities.begin(), b.entities.end(),
                                 [](const DrawingContent::Entity& e) { return !e.erased; }));
    }
    case BusPath::Entity: return entityProperty(d, path.id, p);
    case BusPath::Attribute: return attributeProperty(d, path, p);
    default: break;
    }
    fail(CadError::NotFound, QStringLiteral("There is no property %1.").arg(p));
}

QVariant DocumentObjects::documentProperty(CadDocument& d, const QString& p) const
{
    if (p == u"Name")
        return d.name();
    if (p == u"FullName")
        return d.fullName();
    if (p == u"HWND")
        return qlonglong(d.hwnd());
    if (p == u"ActiveLinetype")
        return d.content().currentLinetype();
    if (p == u"Saved")
        return !d.isModified();
    if (p == u"ReadOnly")
        return d.isReadOnly();
    if (p == u"ModelSpace")
        return BusValues::path(BusPath::modelSpace(d.number()));
    if (p == u"Blocks")
        return BusValues::path(BusPath::blocks(d.number()));
    if (p == u"Utility")
        return BusValues::path(BusPath::utility(d.number()));
    return BusValues::path(BusPath::application());
}

QVariant DocumentObjects::entityProperty(CadDocument& d, qint64 id, const QString& p) const
{
    const DrawingContent& c = d.content();
    const DrawingContent::Entity& e = c.entity(c.require(id));
    const DxfEntity& x = e.dxf;
    if (p == u"EntityType")
        return entityType(x.kind);
    if (p == u"ObjectID")
        return qlonglong(e.id);
    if (p == u"Handle")
        return dxfHandleText(x.handle);
    if (p == u"Layer")
        return x.layer;
    if (p == u"Name")
        return x.blockName;
    if (p == u"InsertionPoint")
        return BusValues::fromPoint(x.position());
    if (p == u"XScaleFactor")
        return x.xScale;
    if (p == u"YScaleFactor")
        return x.yScale;
    if (p == u"ZScaleFactor")
        return x.zScale;
    if (p == u"Rotation")
        return radians(x.rotation);
    if (p == u"HasAttributes")
        return !x.attributes.isEmpty();
    if (p == u"TagString")
        return x.tag;
    if (p == u"PromptString")
        return x.prompt;
    if (p == u"TextString")
        return x.text;
    if (p == u"Height")
        return x.height;
    if (p == u"Mode")
        return x.flags;
    fail(CadError::NotFound, QStringLiteral("There is no property %1.").arg(p));
}

QVariant DocumentObjects::attributeProperty(CadDocument& d, const BusPath& path, const QString& p) const
{
    const DrawingContent& c = d.content();
    const DrawingContent::Entity& owner = c.entity(c.require(path.id));
    const DxfAttribute& a = owner.dxf.attributes[path.index];
    if (p == u"TagString")
        return a.tag;
    if (p == u"TextString")
        return a.text;
    if (p == u"Visible")
        return !a.invisible();
    if (p == u"InsertionPoint")
        return BusValues::fromPoint(a.position);
    if (p == u"Height")
        return a.height;
    if (p == u"ObjectID")
        return qlonglong(owner.attributeIds.value(path.index));
    return dxfHandleText(a.handle);
}

void DocumentObjects::set(const BusPath& path, const QString& p, const QVariant& value)
{
    CadDocument& d = document(path);
    DrawingContent& c = d.content();
    if (path.kind == BusPath::Block && p == u"Origin") {
        c.setBlockOrigin(path.id, BusValues::point(value));
    } else if (path.kind == BusPath::Attribute) {
        const qint64 id = c.entity(c.require(path.id)).attributeIds.value(path.index);
        if (p == u"TextString")
            c.setAttributeText(id, value.toString());
        else if (p == u"Visible")
            c.setAttributeVisible(id, value.toBool());
    } else if (path.kind == BusPath::Entity) {
        // Attribute definitions: each value checked as when it was added.
        DxfEntity probe = c.entity(c.require(path.id)).dxf;
        if (p == u"TagString") {
            ArgumentCheck::tag(value.toString());
            probe.tag = value.toString();
        } else if (p == u"PromptString" || p == u"TextString") {
            ArgumentCheck::text(value.toString(), p == u"TextString" ? QStringLiteral("attribute value")
                                                                    : QStringLiteral("prompt"));
            (p == u"TextString" ? probe.text : probe.prompt) = value.toString();
        } else if (p == u"InsertionPoint") {
            const DxfPoint pt = BusValues::point(value);
            ArgumentCheck::point(pt, QStringLiteral("attribute point"));
            probe.points = {pt};
        } else if (p == u"Height") {
            ArgumentCheck::positive(value.toDouble(), QStringLiteral("text height"));
            probe.height = value.toDouble();
        } else if (p == u"Mode") {
            if (value.toInt() < 0 || value.toInt() > 15)
                fail(CadError::InvalidArgument, QStringLiteral("The attribute mode is a sum of 1, 2, 4 and 8."));
            probe.flags = value.toInt();
        }
        c.attributeDefinition(path.id) = probe;
    }
    d.changed();
}

QVariantList DocumentObjects::call(const BusPath& path, const QString& method, BusCall& call)
{
    CadDocument& d = document(path);
    DrawingContent& c = d.content();
    const QVariantList& a = call.args;
    switch (path.kind) {
    case BusPath::Document: return documentCall(d, method, call);
    case BusPath::Utility: return pick(d, method, call);
    case BusPath::ModelSpace:
        if (method == u"Item")
            return {BusValues::path(BusPath::object(
                d.number(), c.modelItem(itemIndex(a[0], c.modelCount(), QStringLiteral("entity")))))};
        return {BusValues::path(BusPath::object(
            d.number(), d.insertBlock(BusValues::point(a[0]), a[1].toString(), a[2].toDouble(),
                                      a[3].toDouble(), a[4].toDouble(), a[5].toDouble())))};
    case BusPath::Blocks:
        if (method == u"Item")
            return {BusValues::path(BusPath::block(
                d.number(), c.blockItem(itemIndex(a[0], c.blockCount(), QStringLiteral("block")))))};
        {
            const qint64 id = c.addBlock(BusValues::point(a[0]), a[1].toString());
            d.changed();
            return {BusValues::path(BusPath::block(d.number(), id))};
        }
    case BusPath::Block:
        if (method == u"InsertBlock") {
            d.insertFileIntoBlock(path.id, BusValues::point(a[0]), a[1].toString(), a[2].toDouble(),
                                  a[3].toDouble(), a[4].toDouble(), a[5].toDouble());
            return {BusValues::path(BusPath::block(d.number(), path.id))};
        }
        {
            const qint64 id = c.addAttributeDefinition(path.id, a[0].toDouble(), a[1].toInt(),
                                                       a[2].toString(), BusValues::point(a[3]),
                                                       a[4].toString(), a[5].toString());
            d.changed();
            return {BusValues::path(BusPath::object(d.number(), id))};
        }
    case BusPath::Entity:
        if (method == u"GetAttributes") {
            const DrawingContent::Entity& e = c.entity(c.require(path.id));
            QList<QDBusObjectPath> list;
            for (int n = 0; n < e.dxf.attributes.size(); ++n)
                list << QDBusObjectPath(BusPath::attribute(d.number(), path.id, n));
            return {QVariant::fromValue(list)};
        }
        d.erase({path.id});
        return {};
    default: break;
    }
    fail(CadError::NotFound, QStringLiteral("There is no method %1.").arg(method));
}

QVariantList DocumentObjects::documentCall(CadDocument& d, const QString& method, const BusCall& call)
{
    const QVariantList& a = call.args;
    if (method == u"Activate") {
        m_app.activate(&d);
    } else if (method == u"HandleToObject") {
        const QString text = a[0].toString();
        const std::uint64_t h = dxfHandleValue(text);
        if (!h)
            fail(CadError::NotFound, QStringLiteral("\"%1\" is not a handle.").arg(text.left(40)));
        return {BusValues::path(BusValues::objectPath(d, d.content().idOfHandle(h)))};
    } else if (method == u"ObjectIdToObject") {
        return {BusValues::path(BusValues::objectPath(d, a[0].toLongLong()))};
    } else if (method == u"Regen") {
        d.requestRegen();
    } else if (method == u"Advise" || method == u"Unadvise") {
        const QString iid = a[0].toString();
        if (!CadVersion::sameIid(iid, m_app.version().documentEventsIid()))
            fail(CadError::InvalidArgument,
                 QStringLiteral("%1 is not the document events interface of version %2.")
                     .arg(iid)
                     .arg(m_app.version().code()));
    } else if (method == u"Save") {
        d.save();
    } else if (method == u"SaveAs") {
        d.saveAs(a[0].toString());
    } else if (method == u"Close") {
        m_app.closeDocument(&d, a[0].toBool());
    }
    return {};
}

QVariantList DocumentObjects::pick(CadDocument& d, const QString& method, BusCall& call)
{
    const DxfPoint base = BusValues::point(call.args[0]);
    ArgumentCheck::point(base, QStringLiteral("base point"));
    const QString prompt = call.args[1].toString();
    ArgumentCheck::text(prompt, QStringLiteral("prompt"));
    const bool distance = method == u"GetDistance";
    PickRequest* request = m_app.startPick(distance ? PickRequest::Distance : PickRequest::Point,
                                           &d, base, prompt);
    // The answer goes out when the person has picked; the host keeps working.
    call.delay();
    const QDBusMessage message = call.message;
    const QDBusConnection connection = call.connection;
    QObject::connect(request, &PickRequest::finished, request, [request, message, connection, distance] {
        if (!request->point()) {
            connection.send(message.createErrorReply(
                QStringLiteral("org.kavrel.CadHost.Error.Cancelled"),
                QStringLiteral("The point was not picked: the person cancelled.")));
        } else if (distance) {
            connection.send(message.createReply(request->distance()));
        } else {
            connection.send(message.createReply(BusValues::fromPoint(*request->point())));
        }
    });
    return {};
}

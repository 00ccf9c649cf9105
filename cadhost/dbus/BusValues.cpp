#include "BusValues.h"

#include "BusPath.h"
#include "CadApplication.h"
#include "CadDocument.h"
#include "CadError.h"

#include <QDBusObjectPath>

DxfPoint BusValues::point(const QVariant& value)
{
    const QList<double> list = value.value<QList<double>>();
    if (list.size() != 3)
        throw CadError(CadError::InvalidArgument,
                       QStringLiteral("A point is three numbers (x, y, z), not %1.").arg(list.size()));
    return {list[0], list[1], list[2]};
}

QVariant BusValues::fromPoint(const DxfPoint& p)
{
    return QVariant::fromValue(QList<double>{p.x, p.y, p.z});
}

QVariant BusValues::path(const QString& objectPath)
{
    return QVariant::fromValue(QDBusObjectPath(objectPath));
}

QString BusValues::objectPath(const CadDocument& document, qint64 id)
{
    const DrawingContent& c = document.content();
    const auto l = c.require(id);
    switch (c.kindOf(l)) {
    case DrawingContent::ObjectKind::Block: return BusPath::block(document.number(), id);
    case DrawingContent::ObjectKind::Entity: return BusPath::object(document.number(), id);
    case DrawingContent::ObjectKind::Attribute:
        return BusPath::attribute(document.number(), c.entity(l).id, l.attribute);
    }
    return QStringLiteral("/");
}

CadDocument* BusValues::document(CadApplication& app, const QVariant& objectPath)
{
    const QString p = objectPath.value<QDBusObjectPath>().path();
    const BusPath parsed = BusPath::parse(p);
    CadDocument* d = parsed.kind == BusPath::Document ? app.document(parsed.doc) : nullptr;
    if (!d)
        throw CadError(CadError::NotFound, QStringLiteral("%1 is not an open document.").arg(p));
    return d;
}

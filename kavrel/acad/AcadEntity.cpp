#include "AcadEntity.h"

int AcadEntity::entityType() const
{
    return m_object.integer(QStringLiteral("EntityType"));
}

qint64 AcadEntity::objectId() const
{
    return m_object.int64(QStringLiteral("ObjectID"));
}

QString AcadEntity::handle() const
{
    return m_object.string(QStringLiteral("Handle"));
}

QString AcadEntity::name() const
{
    return m_object.string(QStringLiteral("Name"));
}

QList<AcadAttribute> AcadEntity::attributes() const
{
    QList<AcadAttribute> result;
    for (const AcadObject& o : m_object.objects(QStringLiteral("GetAttributes")))
        result.append(AcadAttribute(o));
    return result;
}

void AcadEntity::erase() const
{
    m_object.call(QStringLiteral("Delete"));
}

#pragma once

#include "AcadAttribute.h"
#include "AcadObject.h"

#include <QList>

// An entity of a drawing as model space and HandleToObject give it; the
// workbench's entities are block references, whose attributes it sets.
class AcadEntity
{
public:
    static constexpr int BlockReferenceType = 7;

    AcadEntity() = default;
    explicit AcadEntity(AcadObject object) : m_object(std::move(object)) {}

    const AcadObject& object() const { return m_object; }
    bool isNull() const { return m_object.isNull(); }

    int entityType() const;
    // Unique while the drawing program runs; changes when the drawing is reopened.
    qint64 objectId() const;
    // Kept in the drawing file.
    QString handle() const;

    // Block references only.
    QString name() const;
    QList<AcadAttribute> attributes() const;

    void erase() const;

private:
    AcadObject m_object;
};

#include "AcadAttribute.h"

QString AcadAttribute::tagString() const
{
    return m_object.string(QStringLiteral("TagString"));
}

QString AcadAttribute::textString() const
{
    return m_object.string(QStringLiteral("TextString"));
}

void AcadAttribute::setTextString(const QString& text) const
{
    m_object.set(QStringLiteral("TextString"), text);
}

bool AcadAttribute::isVisible() const
{
    return m_object.boolean(QStringLiteral("Visible"));
}

void AcadAttribute::setVisible(bool visible) const
{
    m_object.set(QStringLiteral("Visible"), visible);
}

void AcadAttribute::setInsertionPoint(const AcadPoint& point) const
{
    m_object.set(QStringLiteral("InsertionPoint"), AcadObject::arg(point));
}

#pragma once

#include "AcadObject.h"

// An attribute of a block reference, or an attribute definition of a block
// (which also has an insertion point, in the block's coordinates).
class AcadAttribute
{
public:
    AcadAttribute() = default;
    explicit AcadAttribute(AcadObject object) : m_object(std::move(object)) {}

    const AcadObject& object() const { return m_object; }
    bool isNull() const { return m_object.isNull(); }

    QString tagString() const;
    QString textString() const;
    void setTextString(const QString& text) const;
    bool isVisible() const;
    void setVisible(bool visible) const;
    void setInsertionPoint(const AcadPoint& point) const;

private:
    AcadObject m_object;
};

#pragma once

#include "AcadAttribute.h"
#include "AcadEntity.h"
#include "AcadObject.h"

// A block definition of a drawing.
class AcadBlock
{
public:
    AcadBlock() = default;
    explicit AcadBlock(AcadObject object) : m_object(std::move(object)) {}

    const AcadObject& object() const { return m_object; }
    bool isNull() const { return m_object.isNull(); }

    QString name() const;

    // Makes the contents of the drawing file `file` part of this definition.
    AcadEntity insertFile(const AcadPoint& point, const QString& file, double xScale = 1,
                          double yScale = 1, double zScale = 1, double rotation = 0) const;
    // An attribute definition; `mode` 0 is a plain visible attribute. References
    // inserted afterwards get an attribute made from it.
    AcadAttribute addAttribute(double height, int mode, const QString& prompt,
                               const AcadPoint& point, const QString& tag,
                               const QString& value) const;

private:
    AcadObject m_object;
};

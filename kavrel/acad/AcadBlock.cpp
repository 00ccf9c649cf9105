#include "AcadBlock.h"

QString AcadBlock::name() const
{
    return m_object.string(QStringLiteral("Name"));
}

AcadEntity AcadBlock::insertFile(const AcadPoint& point, const QString& file, double xScale,
                                 double yScale, double zScale, double rotation) const
{
    return AcadEntity(m_object.object(
        QStringLiteral("InsertBlock"),
        {AcadObject::arg(point), file, xScale, yScale, zScale, rotation}));
}

AcadAttribute AcadBlock::addAttribute(double height, int mode, const QString& prompt,
                                      const AcadPoint& point, const QString& tag,
                                      const QString& value) const
{
    return AcadAttribute(m_object.object(QStringLiteral("AddAttribute"),
                                         {height, mode, prompt, AcadObject::arg(point), tag, value}));
}

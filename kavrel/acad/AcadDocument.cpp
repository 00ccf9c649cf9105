#include "AcadDocument.h"

#include "AcadError.h"
#include "AcadEvents.h"
#include "AcadVersion.h"

const AcadObject& AcadDocument::part(AcadObject& cache, const char* property) const
{
    if (cache.isNull())
        cache = m_object.object(QLatin1String(property));
    return cache;
}

QString AcadDocument::name() const
{
    return m_object.string(QStringLiteral("Name"));
}

QString AcadDocument::fullName() const
{
    return m_object.string(QStringLiteral("FullName"));
}

bool AcadDocument::isSaved() const
{
    return m_object.boolean(QStringLiteral("Saved"));
}

qint64 AcadDocument::hwnd() const
{
    return m_object.int64(QStringLiteral("HWND"));
}

QString AcadDocument::activeLinetype() const
{
    return m_object.string(QStringLiteral("ActiveLinetype"));
}

void AcadDocument::activate() const
{
    m_object.call(QStringLiteral("Activate"));
}

void AcadDocument::bringToFront() const
{
    m_object.bringToFront(hwnd());
}

int AcadDocument::modelSpaceCount() const
{
    return part(m_modelSpace, "ModelSpace").integer(QStringLiteral("Count"));
}

AcadEntity AcadDocument::modelSpaceItem(int index) const
{
    return AcadEntity(part(m_modelSpace, "ModelSpace").object(QStringLiteral("Item"), {index}));
}

AcadEntity AcadDocument::insertBlock(const AcadPoint& point, const QString& name, double xScale,
                                     double yScale, double zScale, double rotation) const
{
    return AcadEntity(part(m_modelSpace, "ModelSpace")
                          .object(QStringLiteral("InsertBlock"),
                                  {AcadObject::arg(point), name, xScale, yScale, zScale, rotation}));
}

int AcadDocument::blockCount() const
{
    return part(m_blocks, "Blocks").integer(QStringLiteral("Count"));
}

AcadBlock AcadDocument::block(int index) const
{
    return AcadBlock(part(m_blocks, "Blocks").object(QStringLiteral("Item"), {index}));
}

AcadBlock AcadDocument::addBlock(const AcadPoint& origin, const QString& name) const
{
    return AcadBlock(
        part(m_blocks, "Blocks").object(QStringLiteral("Add"), {AcadObject::arg(origin), name}));
}

AcadBlock AcadDocument::findBlock(const QString& name) const
{
    const int count = blockCount();
    for (int i = 0; i < count; ++i) {
        AcadBlock b = block(i);
        if (b.name() == name)
            return b;
    }
    return {};
}

AcadPoint AcadDocument::getPoint(const AcadPoint& base, const QString& prompt) const
{
    return part(m_utility, "Utility")
        .point(QStringLiteral("GetPoint"), {AcadObject::arg(base), prompt}, AcadWait::Interactive);
}

double AcadDocument::getDistance(const AcadPoint& point, const QString& prompt) const
{
    return part(m_utility, "Utility")
        .number(QStringLiteral("GetDistance"), {AcadObject::arg(point), prompt},
                AcadWait::Interactive);
}

AcadEntity AcadDocument::handleToObject(const QString& handle) const
{
    return AcadEntity(m_object.object(QStringLiteral("HandleToObject"), {handle}));
}

void AcadDocument::regen(int which) const
{
    m_object.call(QStringLiteral("Regen"), {which});
}

void AcadDocument::zoomExtents() const
{
    m_object.object(QStringLiteral("Application")).call(QStringLiteral("ZoomExtents"));
}

std::unique_ptr<AcadEvents> AcadDocument::adviseEvents(const QString& versionCode) const
{
    const QString iid = AcadVersion::documentEventsId(versionCode);
    if (iid.isEmpty())
        throw AcadError(AcadError::Kind::InvalidArgument,
                        QStringLiteral("Unknown version code \"%1\".").arg(versionCode));
    return m_object.advise(iid);
}

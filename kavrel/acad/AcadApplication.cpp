#include "AcadApplication.h"

#include "AcadEvents.h"
#include "AcadVersion.h"

const AcadObject& AcadApplication::documents() const
{
    if (m_documents.isNull())
        m_documents = m_object.object(QStringLiteral("Documents"));
    return m_documents;
}

int AcadApplication::documentCount() const
{
    return documents().integer(QStringLiteral("Count"));
}

AcadDocument AcadApplication::document(int index) const
{
    return AcadDocument(documents().object(QStringLiteral("Item"), {index}));
}

AcadDocument AcadApplication::openDocument(const QString& path, bool readOnly) const
{
    return AcadDocument(documents().object(QStringLiteral("Open"), {path, readOnly}));
}

AcadDocument AcadApplication::activeDocument() const
{
    return AcadDocument(m_object.object(QStringLiteral("ActiveDocument")));
}

bool AcadApplication::isVisible() const
{
    return m_object.boolean(QStringLiteral("Visible"));
}

void AcadApplication::setVisible(bool visible) const
{
    m_object.set(QStringLiteral("Visible"), visible);
}

void AcadApplication::zoomExtents() const
{
    m_object.call(QStringLiteral("ZoomExtents"));
}

QString AcadApplication::loadMenuGroup(const QString& path, bool baseMenu) const
{
    return m_object.object(QStringLiteral("MenuGroups"))
        .object(QStringLiteral("Load"), {path, baseMenu})
        .string(QStringLiteral("Name"));
}

int AcadApplication::menubarCount() const
{
    return m_object.object(QStringLiteral("Menubar")).integer(QStringLiteral("Count"));
}

void AcadApplication::insertMenuInMenuBar(const QString& name, int index) const
{
    m_object.object(QStringLiteral("MenuGroups"))
        .object(QStringLiteral("Item"), {0})
        .object(QStringLiteral("Menus"))
        .call(QStringLiteral("InsertMenuInMenuBar"), {name, index});
}

std::unique_ptr<AcadEvents> AcadApplication::adviseEvents() const
{
    return m_object.advise(AcadVersion::applicationEventsId(m_versionCode));
}

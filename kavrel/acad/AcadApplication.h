#pragma once

#include "AcadDocument.h"
#include "AcadObject.h"

#include <QString>
#include <memory>

class AcadEvents;

// The drawing program as bound by AcadBinder, with the version code of the
// binding that succeeded ("17", "16" or "15"). A default-constructed
// application is the disconnected state; every call on it throws.
class AcadApplication
{
public:
    AcadApplication() = default;
    AcadApplication(AcadObject object, const QString& versionCode)
        : m_object(std::move(object)), m_versionCode(versionCode)
    {
    }

    const AcadObject& object() const { return m_object; }
    bool isNull() const { return m_object.isNull(); }
    const QString& versionCode() const { return m_versionCode; }

    int documentCount() const;
    AcadDocument document(int index) const;
    AcadDocument openDocument(const QString& path, bool readOnly = false) const;
    AcadDocument activeDocument() const;

    bool isVisible() const;
    void setVisible(bool visible) const;
    void zoomExtents() const;

    // Loads a menu file as a menu group and returns the group's name.
    QString loadMenuGroup(const QString& path, bool baseMenu = false) const;
    int menubarCount() const;
    // Inserts the menu `name` into the menu bar at `index`, through the first menu group.
    void insertMenuInMenuBar(const QString& name, int index) const;

    // Application events under the identifier of this binding's version.
    std::unique_ptr<AcadEvents> adviseEvents() const;

private:
    const AcadObject& documents() const;

    AcadObject m_object;
    QString m_versionCode;
    mutable AcadObject m_documents;
};

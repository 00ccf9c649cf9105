#include "ApplicationObjects.h"

#include "BusValues.h"
#include "CadApplication.h"
#include "CadDocument.h"
#include "CadError.h"

namespace {

[[noreturn]] void noSuch(const QString& what)
{
    throw CadError(CadError::NotFound, what);
}

int index(const QVariant& v, int count, const QString& what)
{
    const int i = v.toInt();
    if (i < 0 || i >= count)
        noSuch(QStringLiteral("There is no %1 %2 (there are %3).").arg(what).arg(i).arg(count));
    return i;
}

} // namespace

QVariant ApplicationObjects::get(const BusPath& path, const QString& p)
{
    switch (path.kind) {
    case BusPath::Application:
        if (p == u"Visible")
            return m_app.isVisible();
        if (p == u"ActiveDocument")
            return BusValues::path(m_app.activeDocument()
                                       ? BusPath::document(m_app.activeDocument()->number())
                                       : QStringLiteral("/"));
        if (p == u"Version")
            return m_app.version().versionText();
        if (p == u"Name")
            return QStringLiteral("cadhost");
        if (p == u"Documents")
            return BusValues::path(BusPath::documents());
        if (p == u"MenuGroups")
            return BusValues::path(BusPath::menuGroups());
        if (p == u"Menubar")
            return BusValues::path(BusPath::menubar());
        break;
    case BusPath::Documents:
        return int(m_app.documents().size());
    case BusPath::MenuGroups:
        return m_app.menuGroups().count();
    case BusPath::MenuGroup: {
        const MenuGroups::Group& g = m_app.menuGroups().group(path.index);
        if (p == u"Name")
            return g.name;
        if (p == u"MenuFileName")
            return g.fileName;
        return BusValues::path(BusPath::menus(path.index));
    }
    case BusPath::Menus:
        return int(m_app.menuGroups().group(path.index).menus.size());
    case BusPath::Menubar:
        return int(m_app.menuGroups().menuBar().size());
    default:
        break;
    }
    noSuch(QStringLiteral("There is no property %1.").arg(p));
}

void ApplicationObjects::set(const BusPath& path, const QString& p, const QVariant& value)
{
    if (path.kind == BusPath::Application && p == u"Visible")
        m_app.setVisible(value.toBool());
}

QVariantList ApplicationObjects::call(const BusPath& path, const QString& method, BusCall& call)
{
    switch (path.kind) {
    case BusPath::Application: return application(method, call);
    case BusPath::Documents: return documents(method, call);
    default: return menus(path, method, call);
    }
}

QVariantList ApplicationObjects::application(const QString& method, const BusCall& call)
{
    if (method == u"ZoomExtents") {
        if (m_app.activeDocument())
            m_app.requestZoomExtents(m_app.activeDocument());
        return {};
    }
    // Advise and Unadvise: the identifier must be this version's application events.
    const QString iid = call.args.value(0).toString();
    if (!CadVersion::sameIid(iid, m_app.version().applicationEventsIid()))
        throw CadError(CadError::InvalidArgument,
                       QStringLiteral("%1 is not the application events interface of version %2.")
                           .arg(iid)
                           .arg(m_app.version().code()));
    return {};
}

QVariantList ApplicationObjects::documents(const QString& method, const BusCall& call)
{
    if (method == u"Item") {
        const int i = index(call.args.value(0), int(m_app.documents().size()), QStringLiteral("document"));
        return {BusValues::path(BusPath::document(m_app.documents()[i]->number()))};
    }
    if (method == u"Open") {
        CadDocument* d = m_app.openDocument(call.args.value(0).toString(), call.args.value(1).toBool());
        return {BusValues::path(BusPath::document(d->number()))};
    }
    CadDocument* d = m_app.addDocument();
    return {BusValues::path(BusPath::document(d->number()))};
}

QVariantList ApplicationObjects::menus(const BusPath& path, const QString& method, const BusCall& call)
{
    MenuGroups& groups = m_app.menuGroups();
    if (path.kind == BusPath::MenuGroups && method == u"Item") {
        const int i = index(call.args.value(0), groups.count(), QStringLiteral("menu group"));
        return {BusValues::path(BusPath::menuGroup(i))};
    }
    if (path.kind == BusPath::MenuGroups && method == u"Load") {
        const int i = groups.load(call.args.value(0).toString(), call.args.value(1).toBool());
        m_app.menusChanged();
        return {BusValues::path(BusPath::menuGroup(i))};
    }
    if (path.kind == BusPath::Menus && method == u"Item") {
        const auto& list = groups.group(path.index).menus;
        const int i = index(call.args.value(0), int(list.size()), QStringLiteral("menu"));
        return {MenuGroups::withoutAccessKey(list[i].title)};
    }
    if (path.kind == BusPath::Menus && method == u"InsertMenuInMenuBar") {
        groups.insertInMenuBar(path.index, call.args.value(0).toString(), call.args.value(1).toInt());
        m_app.menusChanged();
        return {};
    }
    if (path.kind == BusPath::Menubar && method == u"Item") {
        const int i = index(call.args.value(0), int(groups.menuBar().size()), QStringLiteral("menu"));
        return {groups.barTitle(i)};
    }
    noSuch(QStringLiteral("There is no method %1.").arg(method));
}

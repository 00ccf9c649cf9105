#include "ControlObject.h"

#include "ArgumentCheck.h"
#include "BusPath.h"
#include "BusValues.h"
#include "CadApplication.h"
#include "CadCommands.h"
#include "CadDocument.h"
#include "CadError.h"
#include "HostWindows.h"
#include "PickRequest.h"

#include <QTimer>

namespace {

[[noreturn]] void fail(CadError::Kind kind, const QString& text)
{
    throw CadError(kind, text);
}

CadDocument* active(CadApplication& app)
{
    if (!app.activeDocument())
        fail(CadError::NotFound, QStringLiteral("No drawing is open."));
    return app.activeDocument();
}

} // namespace

QVariantList ControlObject::call(const BusPath&, const QString& method, BusCall& call)
{
    const QVariantList& a = call.args;
    if (method == u"PickPoint") {
        PickRequest* pick = m_app.pendingPick();
        if (!pick)
            fail(CadError::Failed, QStringLiteral("No point is being asked for."));
        const DxfPoint p{a[0].toDouble(), a[1].toDouble(), 0};
        ArgumentCheck::point(p, QStringLiteral("picked point"));
        pick->pick(p);
        return {};
    }
    if (method == u"CancelPick") {
        if (PickRequest* pick = m_app.pendingPick())
            pick->cancel();
        return {};
    }
    if (method == u"PendingPrompt")
        return {m_app.pendingPick() ? m_app.pendingPick()->prompt() : QString()};
    if (method == u"Select" || method == u"Erase") {
        CadDocument* d = active(m_app);
        const std::uint64_t h = dxfHandleValue(a[0].toString());
        if (!h)
            fail(CadError::NotFound, QStringLiteral("\"%1\" is not a handle.").arg(a[0].toString().left(40)));
        const qint64 id = d->content().idOfHandle(h);
        if (method == u"Select") {
            d->select(id);
        } else {
            d->clearSelection();
            d->select(id);
            m_commands.erase(d, d->selection().values().toVector());
        }
        return {};
    }
    if (method == u"EraseSelected") {
        CadDocument* d = active(m_app);
        m_commands.erase(d, d->selection().values().toVector());
        return {};
    }
    if (method == u"Undo") {
        m_commands.undo(active(m_app));
        return {};
    }
    return files(method, call);
}

QVariantList ControlObject::files(const QString& method, const BusCall& call)
{
    const QVariantList& a = call.args;
    const auto typed = [&] { return a.value(0).toString(); };
    if (method == u"Save") {
        // A drawing without a file would show the file dialog; nobody types a name.
        m_commands.save(active(m_app), [] { return QString(); });
        return {};
    }
    if (method == u"SaveAs") {
        ArgumentCheck::path(typed());
        m_commands.saveAs(active(m_app), typed);
        return {};
    }
    if (method == u"Open") {
        ArgumentCheck::path(typed());
        CadDocument* d = m_commands.open(typed);
        return {BusValues::path(BusPath::document(d->number()))};
    }
    if (method == u"NewDocument")
        return {BusValues::path(BusPath::document(m_commands.newDocument()->number()))};
    if (method == u"Close") {
        m_commands.close(active(m_app), [](CadDocument*) { return CadCommands::SaveAnswer::Discard; });
        return {};
    }
    if (method == u"CloseDocument") {
        CadDocument* d = BusValues::document(m_app, a[0]);
        const auto answer = a[1].toBool() ? CadCommands::SaveAnswer::Save : CadCommands::SaveAnswer::Discard;
        m_commands.close(d, [answer](CadDocument*) { return answer; });
        return {};
    }
    if (method == u"Quit") {
        // Answered first; the host ends once the reply is on its way.
        QTimer::singleShot(0, &m_app, [this] {
            m_commands.quit([](CadDocument*) { return CadCommands::SaveAnswer::Discard; });
        });
        return {};
    }
    return windows(method, call);
}

QVariantList ControlObject::windows(const QString& method, const BusCall& call)
{
    const QVariantList& a = call.args;
    if (method == u"ActivateWindow") {
        m_app.activate(BusValues::document(m_app, a[0]));
        return {};
    }
    if (method == u"RaiseWindow") {
        CadDocument* d = m_app.documentByHwnd(a[0].toLongLong());
        if (!d)
            fail(CadError::NotFound, QStringLiteral("No drawing window has the id %1.").arg(a[0].toLongLong()));
        m_app.requestRaise(d);
        return {};
    }
    if (!m_windows)
        fail(CadError::Failed, QStringLiteral("The host runs without windows."));
    if (method == u"MenuBarTitles")
        return {m_windows->menuBarTitles()};
    if (method == u"ClickMenuItem") {
        if (!m_windows->clickMenuItem(a[0].toString(), a[1].toString()))
            fail(CadError::NotFound, QStringLiteral("The menu bar has no item %1 > %2.")
                                         .arg(a[0].toString(), a[1].toString()));
        return {};
    }
    if (method == u"Screenshot") {
        ArgumentCheck::path(a[0].toString());
        if (!m_windows->screenshot(a[0].toString()))
            fail(CadError::FileError, QStringLiteral("The picture cannot be written to %1.").arg(a[0].toString()));
        return {};
    }
    fail(CadError::NotFound, QStringLiteral("There is no method %1.").arg(method));
}

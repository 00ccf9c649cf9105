#include "CadConnection.h"

#include "AcadError.h"
#include "BomRows.h"
#include "CadTexts.h"

#include <QFile>

CadConnection::CadConnection(WorkbenchModel& model, BomSync& sync, AcadBinder& binder,
                             QObject* parent)
    : QObject(parent), m_model(model), m_sync(sync), m_binder(binder)
{
    m_timer.setInterval(TickMs);
    connect(&m_timer, &QTimer::timeout, this, &CadConnection::tick);
    // Rebuilding the item view moves the BOM cursor; a tick in between would
    // read half a state.
    connect(&m_model, &WorkbenchModel::itemViewAboutToRebuild, this, [this] { pause(); });
    connect(&m_model, &WorkbenchModel::itemViewRebuilt, this, [this] { resume(); });
}

CadConnection::~CadConnection() = default;

void CadConnection::resume()
{
    if (m_connected)
        m_timer.start();
}

bool CadConnection::connectCad()
{
    emit connectingStarted();
    m_app = m_binder.bind();
    if (m_app.isNull()) {
        disconnectCad();
        emit failed(CadTexts::cannotConnect());
        return false;
    }
    try {
        subscribeApplication();
        m_connected = true;
        if (m_app.documentCount() == 0)
            setCommands({});
        m_app.setVisible(true);
    } catch (const std::exception&) {
        disconnectCad();
        emit failed(CadTexts::cannotConnect());
        return false;
    }
    m_lastName.clear();
    m_lastFullName.clear();
    m_timer.start();
    emit stateChanged(true);
    return true;
}

// The document subscription stays: a drawing saved or closed after the
// workbench let go still has a BOM to keep in step.
void CadConnection::disconnectCad()
{
    m_connected = false;
    m_timer.stop();
    m_appEvents.reset();
    m_app = AcadApplication();
    m_name.clear();
    m_fullName.clear();
    setCommands({});
    emit stateChanged(false);
}

void CadConnection::subscribeApplication()
{
    m_appEvents.reset();
    if (options && !options().live)
        return;
    m_appEvents = m_app.adviseEvents();
    AcadEvents* e = m_appEvents.get();
    const auto stop = [this] { m_timer.stop(); };
    connect(e, &AcadEvents::beginCommand, this, stop);
    connect(e, &AcadEvents::beginModal, this, stop);
    connect(e, &AcadEvents::beginOpen, this, stop);
    connect(e, &AcadEvents::beginSave, this, stop);
    connect(e, &AcadEvents::endCommand, this, [this] { resume(); });
    connect(e, &AcadEvents::endModal, this, [this] { resume(); });
    connect(e, &AcadEvents::endOpen, this, [this] { resume(); });
    connect(e, &AcadEvents::beginQuit, this, [this] { disconnectCad(); });
}

void CadConnection::subscribeDocument()
{
    m_docEvents.reset();
    if (options && !options().live)
        return;
    m_docEvents = m_doc.adviseEvents(m_app.versionCode());
    AcadEvents* e = m_docEvents.get();
    const auto stop = [this] { m_timer.stop(); };
    connect(e, &AcadEvents::beginCommand, this, stop);
    connect(e, &AcadEvents::beginSave, this, stop);
    connect(e, &AcadEvents::endCommand, this, [this] { resume(); });
    connect(e, &AcadEvents::endSave, this, &CadConnection::onEndSave);
    connect(e, &AcadEvents::objectErased, this, &CadConnection::onObjectErased);
    connect(e, &AcadEvents::beginClose, this, &CadConnection::onBeginClose);
}

void CadConnection::tick()
{
    if (!m_connected || m_inTick)
        return;
    // Held across the reattach too: waiting for the program lets the timer
    // fire, and a tick inside would count against the new binding.
    m_inTick = true;
    try {
        pollOnce();
    } catch (const std::exception&) {
        // Table failures count as well: the tick did not do its work.
        tickFailed();
    }
    m_inTick = false;
}

// Failed ticks are counted over the whole run, not in a row: a program that
// fails now and then is reattached as well as one that went away.
void CadConnection::tickFailed()
{
    if (++m_failedTicks <= FailedTickLimit)
        return;
    m_failedTicks = 0;
    const QString code = m_app.versionCode();
    AcadApplication again = m_binder.attach(code);
    if (again.isNull()) {
        disconnectCad();
        return;
    }
    m_app = again;
    m_doc = AcadDocument();
    m_hwnd = 0;
    m_lastName.clear();
    m_lastFullName.clear();
    try {
        subscribeApplication();
    } catch (const std::exception&) {
        disconnectCad();
    }
}

void CadConnection::pollOnce()
{
    if (m_app.documentCount() == 0) {
        setCommands({});
        return;
    }
    const AcadDocument candidate = m_app.activeDocument();
    m_fullName = candidate.fullName();
    m_name = candidate.name();
    setBound(true);
    if (BomSync::isAutosave(m_fullName))
        return;
    const qint64 hwnd = candidate.hwnd();
    const bool same = !m_doc.isNull() && hwnd == m_hwnd && m_fullName == m_lastFullName &&
                      m_name == m_lastName;
    if (!same) {
        m_hwnd = 0; // a failure below retries the binding at the next tick
        bindDrawing(candidate);
        m_hwnd = hwnd;
    }
    emit drawingShown(m_name);
    updateInsertCommands();
}

void CadConnection::bindDrawing(const AcadDocument& candidate)
{
    setBound(false);
    m_doc = candidate;
    m_hadDrawing = true;
    m_drawingBom = 0;
    subscribeDocument();
    m_lastName = m_name;
    m_lastFullName = m_fullName;
    BomRows rows(m_model.tables());
    if (const auto bom = rows.byDrawing(m_name, m_fullName)) {
        m_drawingBom = bom->l2;
        if (bom->l1 != m_model.currentProject() && !m_model.selectProject(bom->l1))
            return;
        if (!m_model.selectBom(bom->l2))
            return;
        setBound(true);
        if (!options || options().syncOnConnect)
            m_sync.synchronizeHandles(bom->l2, m_doc);
        emit bomChanged();
        return;
    }
    if (m_name.isEmpty() || m_model.currentProject() == 0)
        return;
    TableView& r = m_model.tables().Risba;
    r.append();
    r.setValue(QStringLiteral("Type"), QStringLiteral("T"));
    r.setValue(QStringLiteral("Name"), m_name);
    r.setValue(QStringLiteral("File"), m_fullName);
    r.setValue(QStringLiteral("Status"), QStringLiteral("V"));
    r.post();
    m_drawingBom = int(r.asInt(QStringLiteral("L2")));
    emit bomChanged();
}

void CadConnection::updateInsertCommands()
{
    if (!m_connected || m_doc.isNull()) {
        setCommands({});
        return;
    }
    const InsertSource s = source ? source() : InsertSource{};
    const InsertPermissions p = m_model.permissions();
    const QString bomName = m_model.currentBomName();
    setCommands({s.allows(BlockKind::Symbol, p, bomName, m_name),
                 s.allows(BlockKind::Symbol3, p, bomName, m_name),
                 s.allows(BlockKind::Dimension, p, bomName, m_name)});
}

void CadConnection::setCommands(const InsertCommands& commands)
{
    if (commands == m_commands)
        return;
    m_commands = commands;
    emit insertCommandsChanged(commands);
}

void CadConnection::setBound(bool bound)
{
    if (bound == m_bound)
        return;
    m_bound = bound;
    emit boundChanged(bound);
}

// The events act on the BOM bound to the drawing that raised them, not on
// whatever BOM the person has selected in the list meanwhile.
int CadConnection::eventBom() const
{
    if (m_drawingBom != 0 && BomRows(m_model.tables()).byKey(m_drawingBom))
        return m_drawingBom;
    return m_model.currentBom();
}

void CadConnection::onEndSave(const QString& path)
{
    if (options && !options().live)
        return;
    m_timer.stop();
    try {
        m_sync.drawingSaved(eventBom(), path);
    } catch (...) {
        resume();
        emit bomChanged();
        throw;
    }
    resume();
    emit bomChanged();
}

void CadConnection::onObjectErased(qint64 id)
{
    if (options && !options().live)
        return;
    if (m_sync.objectErased(eventBom(), id))
        emit bomChanged();
}

void CadConnection::onBeginClose()
{
    if (options && (!options().live || !options().syncOnDisconnect))
        return;
    const bool running = m_timer.isActive();
    m_timer.stop();
    const auto bom = BomRows(m_model.tables()).byDrawing(m_name, m_fullName);
    if (bom)
        m_sync.drawingClosing(bom->l2);
    if (bom && bom->l2 == m_drawingBom)
        m_drawingBom = 0;
    if (running || m_connected)
        resume();
    emit bomChanged();
}

BomSync::HandleResult CadConnection::synchronize(const std::function<void(int, int)>& progress)
{
    if (m_doc.isNull())
        return {};
    m_timer.stop();
    struct Restart
    {
        CadConnection* c;
        ~Restart() { c->resume(); }
    } restart{this};
    return m_sync.synchronizeHandles(m_model.currentBom(), m_doc, progress);
}

CadConnection::OpenResult CadConnection::openDrawing(const QString& bomName,
                                                     const QString& bomFile,
                                                     const std::function<bool()>& confirm)
{
    if (m_app.isNull())
        return OpenResult::Nothing;
    const bool running = m_timer.isActive();
    m_timer.stop();
    OpenResult result = OpenResult::Nothing;
    try {
        const int n = m_app.documentCount();
        for (int i = 0; i < n && result == OpenResult::Nothing; ++i) {
            const AcadDocument d = m_app.document(i);
            if (d.name() == bomName) {
                d.activate();
                m_app.activeDocument().bringToFront();
                result = OpenResult::Activated;
            }
        }
    } catch (const std::exception&) {
    }
    if (result == OpenResult::Nothing && !bomFile.isEmpty()) {
        if (!QFile::exists(bomFile)) {
            result = OpenResult::MissingFile;
        } else if (!confirm || !confirm()) {
            result = OpenResult::Declined;
        } else {
            try {
                m_app.openDocument(bomFile, false).bringToFront();
                result = OpenResult::Opened;
            } catch (const std::exception&) {
            }
        }
    }
    if (running)
        resume();
    return result;
}

double CadConnection::measureContactDistance()
{
    const AcadDocument doc = m_doc.isNull() ? m_app.activeDocument() : m_doc;
    doc.bringToFront();
    const AcadPoint first = doc.getPoint(AcadPoint{}, CadTexts::firstContactPrompt());
    return doc.getDistance(first, CadTexts::secondContactPrompt());
}

void CadConnection::installMenu(const QString& file)
{
    const QString group = m_app.loadMenuGroup(file, false);
    m_app.insertMenuInMenuBar(group, m_app.menubarCount());
}

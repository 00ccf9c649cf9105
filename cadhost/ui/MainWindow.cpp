#include "MainWindow.h"

#include "CadApplication.h"
#include "CadDocument.h"
#include "CadError.h"
#include "DrawingView.h"
#include "MenuGroups.h"
#include "MessageBoxService.h"
#include "PickRequest.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>

MainWindow::MainWindow(CadApplication& app, CadCommands& commands, QWidget* parent)
    : QMainWindow(parent), m_app(app), m_commands(commands), m_area(new QMdiArea(this))
{
    setWindowTitle(QStringLiteral("cadhost %1").arg(app.version().versionText()));
    m_area->setViewMode(QMdiArea::TabbedView);
    m_area->setTabsClosable(false);
    setCentralWidget(m_area);
    statusBar()->showMessage(tr("Ready"));
    createMenus();
    rebuildMenuBar();
    connect(&app, &CadApplication::menuBarChanged, this, &MainWindow::rebuildMenuBar);
    connect(&app, &CadApplication::documentAdded, this, &MainWindow::addDocument);
    connect(&app, &CadApplication::documentRemoved, this, &MainWindow::removeDocument);
    connect(&app, &CadApplication::activeDocumentChanged, this, [this](CadDocument* d) {
        if (QMdiSubWindow* w = m_windows.value(d))
            m_area->setActiveSubWindow(w);
    });
    connect(m_area, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* w) {
        if (w)
            m_app.activate(m_windows.key(w));
    });
    connect(&app, &CadApplication::visibleChanged, this, &QWidget::setVisible);
    connect(&app, &CadApplication::zoomExtentsRequested, this, [this](CadDocument* d) {
        if (DrawingView* v = view(d))
            v->zoomExtents();
    });
    connect(&app, &CadApplication::raiseRequested, this, [this] {
        showNormal();
        raise();
        activateWindow();
    });
    connect(&app, &CadApplication::pickStarted, this, [this](PickRequest* pick) {
        statusBar()->showMessage(pick->prompt());
        if (DrawingView* v = view(pick->document()))
            v->setFocus();
    });
    connect(&app, &CadApplication::pickFinished, this, [this] { statusBar()->showMessage(tr("Ready")); });
    connect(&app, &CadApplication::quitRequested, this, [this] {
        m_quitting = true;
        close();
        QApplication::quit();
    });
    for (CadDocument* d : app.documents())
        addDocument(d);
    resize(1100, 760);
}

void MainWindow::createMenus()
{
    const auto active = [this] { return m_app.activeDocument(); };
    QMenu* file = new QMenu(tr("&File"), this);
    file->addAction(tr("&New"), QKeySequence::New, this, [this] { run([this] { m_commands.newDocument(); }); });
    file->addAction(tr("&Open..."), QKeySequence::Open, this,
                    [this] { run([this] { m_commands.open([this] { return askOpenPath(); }); }); });
    file->addAction(tr("&Save"), QKeySequence::Save, this, [this, active] {
        run([this, active] { m_commands.save(active(), [this, active] { return askSavePath(active()); }); });
    });
    file->addAction(tr("Save &As..."), QKeySequence::SaveAs, this, [this, active] {
        run([this, active] { m_commands.saveAs(active(), [this, active] { return askSavePath(active()); }); });
    });
    file->addAction(tr("&Close"), QKeySequence::Close, this, [this, active] {
        run([this, active] { m_commands.close(active(), [this](CadDocument* d) { return askSave(d); }); });
    });
    file->addSeparator();
    file->addAction(tr("E&xit"), QKeySequence::Quit, this, [this] { close(); });

    QMenu* edit = new QMenu(tr("&Edit"), this);
    edit->addAction(tr("&Undo"), QKeySequence::Undo, this, [this, active] { run([this, active] { m_commands.undo(active()); }); });
    edit->addAction(tr("&Delete"), QKeySequence::Delete, this, [this, active] {
        run([this, active] {
            if (CadDocument* d = active(); d && !d->selection().isEmpty())
                m_commands.erase(d, d->selection().values().toVector());
        });
    });

    QMenu* viewMenu = new QMenu(tr("&View"), this);
    viewMenu->addAction(tr("Zoom &Extents"), QKeySequence(Qt::CTRL | Qt::Key_E), this,
                        [this, active] { run([this, active] { m_commands.zoomExtents(active()); }); });
    viewMenu->addAction(tr("Zoom &In"), QKeySequence::ZoomIn, this, [this, active] {
        if (DrawingView* v = view(active()))
            v->zoomBy(1.25);
    });
    viewMenu->addAction(tr("Zoom &Out"), QKeySequence::ZoomOut, this, [this, active] {
        if (DrawingView* v = view(active()))
            v->zoomBy(0.8);
    });
    m_hostMenus = {file, edit, viewMenu};
}

void MainWindow::rebuildMenuBar()
{
    // Menus of loaded groups are made anew; the host's own keep their actions.
    for (QAction* a : menuBar()->actions()) {
        menuBar()->removeAction(a);
        if (!m_hostMenus.contains(a->menu()) && a->menu())
            a->menu()->deleteLater();
    }
    const MenuGroups& groups = m_app.menuGroups();
    for (const MenuGroups::BarEntry& e : groups.menuBar()) {
        if (e.group == 0 && e.menu < m_hostMenus.size()) {
            menuBar()->addMenu(m_hostMenus[e.menu]);
            continue;
        }
        const MenuGroups::Menu& m = groups.group(e.group).menus[e.menu];
        QMenu* menu = menuBar()->addMenu(m.title);
        for (const MenuGroups::Item& item : m.items) {
            if (item.label.startsWith(QLatin1String("--"))) {
                menu->addSeparator();
                continue;
            }
            const QString macro = item.macro;
            menu->addAction(item.label, this, [this, macro] {
                const QString error = m_commands.runMacro(macro);
                if (!error.isEmpty())
                    MessageBoxService::show(this, error, windowTitle(), MessageBoxService::Ok,
                                            MessageBoxService::Warning);
            });
        }
    }
}

void MainWindow::addDocument(CadDocument* document)
{
    auto* v = new DrawingView(m_app, m_commands, document);
    QMdiSubWindow* w = m_area->addSubWindow(v);
    w->setAttribute(Qt::WA_DeleteOnClose, false);
    m_windows.insert(document, w);
    connect(document, &CadDocument::identityChanged, this, [this, document] { updateTitle(document); });
    updateTitle(document);
    w->showMaximized();
    v->zoomExtents();
}

void MainWindow::removeDocument(CadDocument* document)
{
    if (QMdiSubWindow* w = m_windows.take(document)) {
        m_area->removeSubWindow(w);
        w->deleteLater();
    }
}

void MainWindow::updateTitle(CadDocument* document)
{
    if (QMdiSubWindow* w = m_windows.value(document))
        w->setWindowTitle(document->name() + (document->isModified() ? QStringLiteral(" *") : QString()));
}

DrawingView* MainWindow::view(CadDocument* document) const
{
    QMdiSubWindow* w = m_windows.value(document);
    return w ? qobject_cast<DrawingView*>(w->widget()) : nullptr;
}

void MainWindow::run(const std::function<void()>& command)
{
    try {
        command();
    } catch (const CadError& e) {
        MessageBoxService::show(this, e.text(), windowTitle(), MessageBoxService::Ok,
                                MessageBoxService::Warning);
    }
}

QString MainWindow::askOpenPath()
{
    return QFileDialog::getOpenFileName(this, tr("Open drawing"), QString(), tr("DXF drawings (*.dxf)"));
}

QString MainWindow::askSavePath(CadDocument* document)
{
    return QFileDialog::getSaveFileName(this, tr("Save drawing as"),
                                        document ? document->fullName() : QString(),
                                        tr("DXF drawings (*.dxf)"));
}

CadCommands::SaveAnswer MainWindow::askSave(CadDocument* document)
{
    const auto b = MessageBoxService::show(
        this, tr("Save the changes to %1?").arg(document->name()), windowTitle(),
        MessageBoxService::Yes | MessageBoxService::No | MessageBoxService::Cancel,
        MessageBoxService::Question);
    if (b == MessageBoxService::Yes)
        return document->fullName().isEmpty() ? CadCommands::SaveAnswer::Cancel
                                              : CadCommands::SaveAnswer::Save;
    return b == MessageBoxService::No ? CadCommands::SaveAnswer::Discard : CadCommands::SaveAnswer::Cancel;
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (m_quitting) {
        event->accept();
        return;
    }
    bool quit = false;
    run([&] { quit = m_commands.quit([this](CadDocument* d) { return askSave(d); }); });
    event->setAccepted(quit);
}

QStringList MainWindow::menuBarTitles() const
{
    QStringList titles;
    for (QAction* a : menuBar()->actions())
        titles << MenuGroups::withoutAccessKey(a->text());
    return titles;
}

bool MainWindow::clickMenuItem(const QString& menu, const QString& item)
{
    for (QAction* a : menuBar()->actions()) {
        if (!a->menu() || MenuGroups::withoutAccessKey(a->text()).compare(menu, Qt::CaseInsensitive) != 0)
            continue;
        for (QAction* i : a->menu()->actions())
            if (MenuGroups::withoutAccessKey(i->text()).remove(QLatin1String("...")).compare(item, Qt::CaseInsensitive) == 0
                || MenuGroups::withoutAccessKey(i->text()).compare(item, Qt::CaseInsensitive) == 0) {
                i->trigger();
                return true;
            }
    }
    return false;
}

bool MainWindow::screenshot(const QString& path)
{
    return grab().save(path, "PNG");
}

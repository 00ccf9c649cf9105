#include "CMainFrame.h"

#include "AppSettings.h"
#include "CAboutDlg.h"
#include "CExportChartDlg.h"
#include "CRuzozuvovView.h"
#include "CToolbarImages.h"
#include "ChartCommandState.h"
#include "CurvataPicture.h"
#include "FuseDatabaseLocation.h"
#include "LockKeyState.h"
#include "MessageBoxService.h"
#include "TableListFile.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>

namespace {

using Cmd = ChartCommandState;

struct CommandText
{
    int id;
    const char* caption;
    const char* shortcuts; // alternatives separated by "; "
    const char* prompt;    // the status bar's text while the item is pointed at
    const char* tooltip;
};

// Captions, accelerators, status prompts and toolbar tooltips. "\t+" shows
// a key text beside the caption without binding the key.
const CommandText kCommands[] = {
    {Cmd::FileNew, "&New", "Ctrl+N", "Create a new project", "New"},
    {Cmd::FileOpen, "&Open...", "Ctrl+O", "Open an existing project", "Open"},
    {Cmd::FileSave, "&Save", "Ctrl+S", "Save the project", "Save"},
    {Cmd::FileSaveAs, "Save &As...", "", "Save the project under a new name", ""},
    {Cmd::FilePrint, "&Print...", "Ctrl+P", "Print the chart", "Print"},
    {Cmd::FilePrintPreview, "Print Pre&view", "", "Show the printed page", ""},
    {Cmd::FilePrintSetup, "P&rint Setup...", "", "Change the printer and the printing options",
     ""},
    {Cmd::FileExportChart, "&Export chart...", "",
     "Save the chart as a PNG, PDF or SVG picture", ""},
    {Cmd::AppExit, "E&xit", "", "Quit the application", ""},
    {Cmd::EditUndo, "&Undo", "Ctrl+Z; Alt+Backspace", "Undo the last action", ""},
    {Cmd::EditCut, "Cu&t", "Ctrl+X; Shift+Del", "Cut the selection and put it on the Clipboard",
     ""},
    {Cmd::EditCopy, "&Copy", "Ctrl+C; Ctrl+Ins",
     "Copy the selection and put it on the Clipboard", ""},
    {Cmd::EditPaste, "&Paste", "Ctrl+V; Shift+Ins", "Insert Clipboard contents", ""},
    {Cmd::SelectFuses, "Select fuses", "", "Select fuses from groups", "Select fuses"},
    {Cmd::SelectCharacteristic, "Select characteristic", "", "Select characteristic for fuses",
     "Select characteristic"},
    {Cmd::DrawTable, "Draw table", "", "Draw fuse table to define working points",
     "Draw table"},
    {Cmd::MoveConstLines, "Move Const Lines", "", "Move constant lines with the mouse", ""},
    {Cmd::ManageConstLines, "Manage const lines", "", "Create, remove and apply constant lines",
     ""},
    {Cmd::ZoomNone, "None", "", "Show the characteristic at the size of the window", ""},
    {Cmd::ZoomIn, "In\t+", "", "Enlarge the characteristic image", "Zoom in"},
    {Cmd::ZoomOut, "Out\t-", "", "Reduce the size of the characteristic image", "Zoom out"},
    {Cmd::ZoomRectangle, "Rectangle", "",
     "Enlarge the part of the characteristic in a rectangle drawn with the mouse", ""},
    {Cmd::ZoomDrag, "Drag", "", "Move the enlarged characteristic with the mouse", ""},
    {Cmd::ZoomRandom, "Random", "", "Enter the zoom factors", ""},
    {Cmd::Grid, "Grid", "", "Show or hide the grid", ""},
    {Cmd::Boundary, "Boundary", "", "Show or hide the boundary", ""},
    {Cmd::Legend, "Legend", "", "Legend", ""},
    {Cmd::TablePoints, "Table points", "", "Show points exported from table", ""},
    {Cmd::BackColor, "Back Color", "", "Choose the background colour", ""},
    {Cmd::ScientificScale, "Scientific scale", "", "Scientific scale", ""},
    {Cmd::ViewToolbar, "&Toolbar", "", "Show or hide the toolbar", ""},
    {Cmd::ViewStatusBar, "&Status Bar", "", "Show or hide the status bar", ""},
    {Cmd::AppAbout, "&About Curvata...", "",
     "Display program information, version number and copyright", "About"},
};

const CommandText* textOf(int id)
{
    for (const CommandText& c : kCommands)
        if (c.id == id)
            return &c;
    return nullptr;
}

} // namespace

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("CMainFrame"));
}

CMainFrame::~CMainFrame()
{
    qApp->removeEventFilter(this);
}

bool CMainFrame::Create(const QString& workingDirectory)
{
    const QString directory = FuseDatabaseLocation::resolve(workingDirectory);
    if (!TableListFile::check(directory)) {
        MessageBoxService::show(nullptr, QStringLiteral("Please open valid database."),
                                QStringLiteral("Curvata"), MessageBoxService::Ok);
        return false;
    }
    m_databaseDirectory = directory;
    FuseDatabaseLocation::setDirectory(directory);

    setWindowIcon(CurvataPicture::Icon());
    // A new frame takes most of the screen, as a desktop window manager's
    // default placement would; a view without a size shows no chart.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        resize(area.width() * 3 / 4, area.height() * 3 / 4);
        move(area.x() + area.width() / 8, area.y() + area.height() / 8);
    }
    SetDocumentTitle(QStringLiteral("Untitled"));
    for (const CommandText& c : kCommands)
        CreateAction(c.id);
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    if (!centralWidget()) {
        // Until a view is given the window still shows a plain white area.
        auto* placeholder = new QLabel(this);
        placeholder->setAutoFillBackground(true);
        QPalette palette = placeholder->palette();
        palette.setColor(QPalette::Window, Qt::white);
        placeholder->setPalette(palette);
        setCentralWidget(placeholder);
    }
    // The lock keys change while any window of the program has the focus,
    // or while another program has it.
    qApp->installEventFilter(this);
    UpdateIndicators();
    UpdateCommandStates();
    return true;
}

QAction* CMainFrame::CreateAction(int id)
{
    const CommandText* text = textOf(id);
    auto* action = new QAction(QString::fromUtf8(text->caption), this);
    action->setObjectName(QStringLiteral("ID_%1").arg(id));
    action->setData(id);
    if (*text->shortcuts) {
        QList<QKeySequence> keys;
        for (const QString& key : QString::fromLatin1(text->shortcuts).split(QStringLiteral("; ")))
            keys << QKeySequence(key);
        action->setShortcuts(keys);
    }
    action->setStatusTip(QString::fromUtf8(text->prompt));
    if (*text->tooltip)
        action->setToolTip(QString::fromUtf8(text->tooltip));
    connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
    m_actions.insert(id, action);
    return action;
}

QAction* CMainFrame::Action(int id) const
{
    return m_actions.value(Cmd::Canonical(id), nullptr);
}

void CMainFrame::CreateMenus()
{
    auto add = [this](QMenu* menu, std::initializer_list<int> ids) {
        for (int id : ids) {
            if (id == 0)
                menu->addSeparator();
            else
                menu->addAction(Action(id));
        }
    };
    m_fileMenu = menuBar()->addMenu(QStringLiteral("&File"));
    add(m_fileMenu, {Cmd::FileNew, Cmd::FileOpen, Cmd::FileSave, Cmd::FileSaveAs, 0,
                     Cmd::FilePrint, Cmd::FilePrintPreview, Cmd::FilePrintSetup,
                     Cmd::FileExportChart, 0});
    m_recentPlaceholder = m_fileMenu->addAction(QStringLiteral("Recent File"));
    m_recentPlaceholder->setEnabled(false);
    add(m_fileMenu, {0, Cmd::AppExit});
    connect(m_fileMenu, &QMenu::aboutToShow, this, &CMainFrame::UpdateRecentFiles);

    add(menuBar()->addMenu(QStringLiteral("&Edit")),
        {Cmd::EditUndo, 0, Cmd::EditCut, Cmd::EditCopy, Cmd::EditPaste});
    add(menuBar()->addMenu(QStringLiteral("Actions")),
        {Cmd::SelectFuses, Cmd::SelectCharacteristic, Cmd::DrawTable, Cmd::MoveConstLines,
         Cmd::ManageConstLines});
    add(menuBar()->addMenu(QStringLiteral("&Zoom")),
        {Cmd::ZoomNone, Cmd::ZoomIn, Cmd::ZoomOut, Cmd::ZoomRectangle, 0, Cmd::ZoomDrag, 0,
         Cmd::ZoomRandom});
    add(menuBar()->addMenu(QStringLiteral("Property")),
        {Cmd::Grid, Cmd::Boundary, Cmd::Legend, Cmd::TablePoints, Cmd::BackColor,
         Cmd::ScientificScale});
    add(menuBar()->addMenu(QStringLiteral("&View")), {Cmd::ViewToolbar, Cmd::ViewStatusBar});
    add(menuBar()->addMenu(QStringLiteral("&Help")), {Cmd::AppAbout});
    // States are also brought up to date when a menu opens, as the desktop
    // shows them then.
    for (QMenu* menu : menuBar()->findChildren<QMenu*>())
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
}

void CMainFrame::CreateToolBar()
{
    m_toolBar = new QToolBar(QStringLiteral("Standard"), this);
    m_toolBar->setObjectName(QStringLiteral("toolbar"));
    m_toolBar->setIconSize(QSize(CToolbarImages::Size, CToolbarImages::Size));
    m_toolBar->setMovable(true);
    m_toolBar->setAllowedAreas(Qt::AllToolBarAreas);
    const std::pair<int, CToolbarImages::Image> buttons[] = {
        {Cmd::FileNew, CToolbarImages::New},
        {Cmd::FileOpen, CToolbarImages::Open},
        {Cmd::FileSave, CToolbarImages::Save},
        {0, CToolbarImages::New},
        {Cmd::ZoomIn, CToolbarImages::ZoomIn},
        {Cmd::ZoomOut, CToolbarImages::ZoomOut},
        {0, CToolbarImages::New},
        {Cmd::FilePrint, CToolbarImages::Print},
        {0, CToolbarImages::New},
        {Cmd::AppAbout, CToolbarImages::About},
        {0, CToolbarImages::New},
        {Cmd::SelectFusesButton, CToolbarImages::SelectFuses},
        {Cmd::SelectCharacteristic, CToolbarImages::SelectCharacteristic},
        {Cmd::DrawTableButton, CToolbarImages::DrawTable},
    };
    for (const auto& [id, image] : buttons) {
        if (id == 0) {
            m_toolBar->addSeparator();
            continue;
        }
        QAction* action = Action(id);
        action->setIcon(CToolbarImages::Icon(image));
        m_toolBar->addAction(action);
    }
    // Menus show captions only, as the toolbar's pictures are for the bar.
    for (QAction* action : m_actions)
        action->setIconVisibleInMenu(false);
    addToolBar(Qt::TopToolBarArea, m_toolBar);
}

void CMainFrame::CreateStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("statusbar"));
    // Pane 0 stretches and shows "Ready"; a command's prompt covers it while
    // the mouse is over its menu item or button.
    m_readyPane = new QLabel(QStringLiteral("Ready"), bar);
    m_readyPane->setObjectName(QStringLiteral("pane0"));
    bar->addWidget(m_readyPane, 1);
    m_readoutPane = new QLabel(bar);
    m_readoutPane->setObjectName(QStringLiteral("pane1"));
    m_readoutPane->setFixedWidth(200);
    bar->addPermanentWidget(m_readoutPane);
    const char* names[] = {"CAP", "NUM", "SCRL"};
    for (int i = 0; i < 3; ++i) {
        auto* pane = new QLabel(bar);
        pane->setObjectName(QStringLiteral("pane%1").arg(i + 2));
        pane->setAlignment(Qt::AlignCenter);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 8);
        pane->setProperty("indicator", QString::fromLatin1(names[i]));
        bar->addPermanentWidget(pane);
        m_indicators[i] = pane;
    }
}

void CMainFrame::SetView(QWidget* view)
{
    setCentralWidget(view); // deletes a placeholder shown before
    m_view = qobject_cast<CRuzozuvovView*>(view);
    if (m_view) {
        connect(m_view, &CRuzozuvovView::commandStateChanged, this,
                &CMainFrame::UpdateCommandStates);
        connect(m_view, &CRuzozuvovView::cursorReadoutChanged, this, [this](const QString& text) {
            if (m_readoutPane)
                m_readoutPane->setText(text);
        });
    }
    UpdateCommandStates();
}

void CMainFrame::SetDocumentTitle(const QString& title)
{
    setWindowTitle(title + QStringLiteral(" - Curvata"));
}

QPrinter& CMainFrame::Printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

// ------------------------------------------------------------ command state

void CMainFrame::UpdateCommandStates()
{
    ChartCommandState::Inputs in = m_view ? m_view->CommandInputs() : ChartCommandState::Inputs{};
    in.toolbarVisible = m_toolBar && !m_toolBar->isHidden();
    in.statusBarVisible = !statusBar()->isHidden();
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
        const ChartCommandState::State state = ChartCommandState::Of(it.key(), in);
        QAction* action = it.value();
        action->setEnabled(state.enabled);
        action->setCheckable(state.checkable);
        action->setChecked(state.checked);
    }
}

void CMainFrame::UpdateIndicators()
{
    const LockKeyState keys = LockKeyState::Read();
    const std::optional<bool> states[] = {keys.caps, keys.num, keys.scroll};
    for (int i = 0; i < 3; ++i) {
        QLabel* pane = m_indicators[i];
        if (!pane)
            continue;
        const QString name = pane->property("indicator").toString();
        pane->setText(states[i].value_or(false) ? name : QString());
        pane->setToolTip(states[i] ? QString()
                                   : QStringLiteral("This system does not tell the state of %1.")
                                         .arg(name));
    }
}

void CMainFrame::UpdateRecentFiles()
{
    for (QAction* action : m_recentActions) {
        m_fileMenu->removeAction(action);
        action->deleteLater();
    }
    m_recentActions.clear();
    const QStringList files = m_settings ? m_settings->recentFiles() : QStringList();
    for (int i = 0; i < files.size(); ++i) {
        const QString path = files[i];
        auto* action = new QAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()), this);
        action->setStatusTip(QStringLiteral("Open %1").arg(path));
        connect(action, &QAction::triggered, this, [this, path] { OnRecentFile(path); });
        m_fileMenu->insertAction(m_recentPlaceholder, action);
        m_recentActions << action;
    }
    m_recentPlaceholder->setVisible(files.isEmpty());
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_CapsLock || key == Qt::Key_NumLock || key == Qt::Key_ScrollLock)
            UpdateIndicators();
    } else if (event->type() == QEvent::ApplicationActivate) {
        UpdateIndicators();
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---------------------------------------------------------------- commands

void CMainFrame::RunViewHook(const CurvataHooks::ViewCommand& hook, const QString& name)
{
    if (!m_view)
        return;
    if (!hook) {
        statusBar()->showMessage(QStringLiteral("%1 is not available yet.").arg(name), 5000);
        return;
    }
    hook(*m_view);
    UpdateCommandStates();
}

void CMainFrame::OnDrawTable()
{
    if (!m_view)
        return;
    if (QWidget* table = m_view->TableWindow()) {
        table->show();
        table->raise();
        table->activateWindow();
        return;
    }
    if (m_view->Fuses().empty()) {
        MessageBoxService::show(this, QStringLiteral("There are no fuses selected!"),
                                QStringLiteral("Curvata"), MessageBoxService::Ok);
        return;
    }
    RunViewHook(m_hooks.drawTable, QStringLiteral("Draw table"));
}

void CMainFrame::OnManageConstLines()
{
    if (!m_view || m_view->ConstLinesWindow())
        return;
    RunViewHook(m_hooks.manageConstLines, QStringLiteral("Manage const lines"));
}

void CMainFrame::OnRecentFile(const QString& path)
{
    if (!m_view)
        return;
    if (!m_hooks.openRecentFile) {
        statusBar()->showMessage(QStringLiteral("Opening projects is not available yet."), 5000);
        return;
    }
    m_hooks.openRecentFile(*m_view, path);
    UpdateCommandStates();
}

bool CMainFrame::OnViewCommand(int id)
{
    CRuzozuvovView* view = m_view;
    if (!view)
        return false;
    switch (id) {
    case Cmd::MoveConstLines: view->OnMoveConstLines(); break;
    case Cmd::ZoomNone: view->OnZoomNone(); break;
    case Cmd::ZoomIn: view->OnZoomIn(); break;
    case Cmd::ZoomOut: view->OnZoomOut(); break;
    case Cmd::ZoomRectangle: view->OnZoomRectangle(); break;
    case Cmd::ZoomDrag: view->OnZoomDrag(); break;
    case Cmd::ZoomRandom: view->OnZoomRandom(); break;
    case Cmd::Grid: view->OnGrid(); break;
    case Cmd::Boundary: view->OnBoundary(); break;
    case Cmd::Legend: view->OnLegend(); break;
    case Cmd::TablePoints: view->OnTablePoints(); break;
    case Cmd::BackColor: view->OnBackColor(); break;
    case Cmd::ScientificScale: view->OnScientificScale(); break;
    default: return false;
    }
    return true;
}

void CMainFrame::OnCommand(int id)
{
    // A disabled command can still arrive through a shortcut queued before
    // its state changed.
    if (QAction* action = Action(id); action && !action->isEnabled())
        return;
    switch (Cmd::Canonical(id)) {
    case Cmd::FileNew: RunViewHook(m_hooks.fileNew, QStringLiteral("New")); break;
    case Cmd::FileOpen: RunViewHook(m_hooks.fileOpen, QStringLiteral("Open")); break;
    case Cmd::FileSave: RunViewHook(m_hooks.fileSave, QStringLiteral("Save")); break;
    case Cmd::FileSaveAs: RunViewHook(m_hooks.fileSaveAs, QStringLiteral("Save As")); break;
    case Cmd::FilePrint: OnFilePrint(); break;
    case Cmd::FilePrintPreview: OnFilePrintPreview(); break;
    case Cmd::FilePrintSetup: OnFilePrintSetup(); break;
    case Cmd::FileExportChart: OnExportChart(); break;
    case Cmd::AppExit: close(); break;
    case Cmd::SelectFuses:
        RunViewHook(m_hooks.selectFuses, QStringLiteral("Select fuses"));
        break;
    case Cmd::SelectCharacteristic:
        RunViewHook(m_hooks.selectCharacteristic, QStringLiteral("Select characteristic"));
        break;
    case Cmd::DrawTable: OnDrawTable(); break;
    case Cmd::ManageConstLines: OnManageConstLines(); break;
    case Cmd::ViewToolbar: m_toolBar->setVisible(m_toolBar->isHidden()); break;
    case Cmd::ViewStatusBar: statusBar()->setVisible(statusBar()->isHidden()); break;
    case Cmd::AppAbout: OnAppAbout(); break;
    default: OnViewCommand(id); break;
    }
    UpdateCommandStates();
}

void CMainFrame::OnAppAbout()
{
    CAboutDlg about(this);
    about.exec();
}

void CMainFrame::OnFilePrint()
{
    if (!m_view)
        return;
    QPrintDialog dialog(&Printer(), this);
    // One page: the chart is never split.
    dialog.setMinMax(1, 1);
    if (dialog.exec() == QDialog::Accepted)
        m_view->PrintPage(Printer());
}

void CMainFrame::OnFilePrintPreview()
{
    if (!m_view)
        return;
    QPrintPreviewDialog preview(&Printer(), this);
    preview.setObjectName(QStringLiteral("printPreview"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* printer) {
        if (m_view)
            m_view->PrintPage(*printer);
    });
    preview.exec();
}

void CMainFrame::OnFilePrintSetup()
{
    QPageSetupDialog dialog(&Printer(), this);
    dialog.exec();
}

void CMainFrame::OnExportChart()
{
    if (!m_view || !m_view->IsChartReady())
        return;
    CExportChartDlg dialog(m_view->viewport()->size(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QString error;
    if (!m_view->ExportChart(dialog.FileName(), dialog.ChartSize(), &error)) {
        MessageBoxService::show(this, error, QStringLiteral("Curvata"), MessageBoxService::Ok,
                                MessageBoxService::Warning);
        return;
    }
    statusBar()->showMessage(QStringLiteral("Chart exported to %1").arg(dialog.FileName()), 5000);
}

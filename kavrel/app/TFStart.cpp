#include "TFStart.h"

#include "CatalogueTreeModel.h"
#include "MainCaptions.h"
#include "MessageBoxService.h"
#include "ProductPanel.h"
#include "SegmentColours.h"
#include "TDBX.h"
#include "TFSearch.h"
#include "TForm6.h"
#include "TImgView.h"
#include "TPageView.h"
#include "WorkbenchWindows.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

constexpr int LeftPanelWidth = 370;

void setBackground(QWidget* w, QPalette::ColorRole role, const QColor& colour)
{
    QPalette p = w->palette();
    p.setColor(role, colour);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

} // namespace

TFStart::TFStart(const KavrelConfig::StartValues& start, QWidget* parent)
    : QWidget(parent), m_start(start)
{
    setObjectName(QStringLiteral("TFStart"));
    // The pictures live in a static library: register them explicitly.
    static const bool resources = [] {
        Q_INIT_RESOURCE(kavrel);
        return true;
    }();
    Q_UNUSED(resources);
    buildLayout();
    m_pictureDir = m_start.pictureDir();
    m_panel = new ProductPanel(this, m_start, {ImgView1, htm1, CertGrid1});
    connectPanel();
    m_panel->setWorkbenchHooks([this] { return m_workbench && m_workbench->exists(); },
                               [this] { m_workbench->workbench()->catalogueFocusChanged(); });
    applyCaptions();
    // The data module does not exist yet: this only sets the colours.
    SelBox->setCurrentIndex(0);
    SelBoxChange();
}

TFStart::~TFStart()
{
    // The tree must not read the data module while both go.
    if (m_model)
        m_model->setDataModule(nullptr);
}

void TFStart::buildLayout()
{
    resize(800, 600);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.x() + std::max(0, (area.width() - 800) / 2),
             area.y() + std::max(0, (area.height() - 600) / 2));
    }
    buildTopBar();
    buildLeftPanel();
    buildRightArea();

    Splitter1 = new QSplitter(Qt::Horizontal, this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->addWidget(LeftPanel);
    Splitter1->addWidget(RightArea);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({LeftPanelWidth, 800 - LeftPanelWidth});
    Splitter1->setChildrenCollapsible(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(TopBar);
    layout->addWidget(Splitter1, 1);
}

void TFStart::buildTopBar()
{
    TopBar = new QWidget(this);
    TopBar->setObjectName(QStringLiteral("TopBar"));
    BtnSearch1 = new QToolButton(TopBar);
    BtnSearch1->setObjectName(QStringLiteral("BtnSearch1"));
    BtnHelp1 = new QToolButton(TopBar);
    BtnHelp1->setObjectName(QStringLiteral("BtnHelp1"));
    for (QToolButton* b : {BtnSearch1, BtnHelp1}) {
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        b->setAutoRaise(true);
    }
    BtnSearch1->setIcon(QIcon(QStringLiteral(":/kavrel/search.png")));
    BtnHelp1->setIcon(QIcon(QStringLiteral(":/kavrel/help.png")));
    SelBox = new QComboBox(TopBar);
    SelBox->setObjectName(QStringLiteral("SelBox"));
    QFont bold = SelBox->font();
    bold.setBold(true);
    SelBox->setFont(bold);
    SelBox->setMinimumWidth(220);
    for (int i = 0; i < 3; ++i)
        SelBox->addItem(QString());
    connect(SelBox, &QComboBox::activated, this, [this](int) { SelBoxChange(); });
    connect(BtnSearch1, &QToolButton::clicked, this, [this] { BtnSearch1Click(); });

    auto* bar = new QHBoxLayout(TopBar);
    bar->setContentsMargins(4, 3, 4, 3);
    bar->addWidget(BtnSearch1);
    bar->addWidget(BtnHelp1);
    bar->addStretch(1);
    bar->addWidget(SelBox);
}

void TFStart::buildLeftPanel()
{
    LeftPanel = new QWidget(this);
    LeftPanel->setObjectName(QStringLiteral("LeftPanel"));
    LeftPanel->setMinimumWidth(120);
    Banner = new QLabel(LeftPanel);
    Banner->setObjectName(QStringLiteral("Banner"));
    Banner->setPixmap(QPixmap(QStringLiteral(":/kavrel/banner.png")));
    Banner->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    VST1 = new QTreeView(LeftPanel);
    VST1->setObjectName(QStringLiteral("VST1"));
    VST1->setHeaderHidden(true);
    VST1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    VST1->setSelectionBehavior(QAbstractItemView::SelectRows);
    VST1->setSelectionMode(QAbstractItemView::SingleSelection);
    VST1->setExpandsOnDoubleClick(true);
    VST1->setRootIsDecorated(true);
    VST1->setUniformRowHeights(true);
    VST1->setAllColumnsShowFocus(true);
    // Whole lines, however long: the view scrolls sideways (fitTreeColumn).
    VST1->setTextElideMode(Qt::ElideNone);
    VST1->header()->setStretchLastSection(false);
    VST1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_model = new CatalogueTreeModel(this);
    m_model->setRestorePosition([this] { positionViews(focusedNode()); });
    VST1->setModel(m_model);
    VST1->viewport()->installEventFilter(this);
    connect(VST1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { onCurrentChanged(current); });
    connect(VST1, &QTreeView::expanded, this, &TFStart::onExpanded);
    connect(VST1, &QTreeView::collapsed, this, &TFStart::onCollapsed);
    const auto linesChanged = [this] { m_treeWidthDirty = true; };
    connect(VST1, &QTreeView::expanded, this, linesChanged);
    connect(VST1, &QTreeView::collapsed, this, linesChanged);
    connect(m_model, &QAbstractItemModel::modelReset, this, linesChanged);
    connect(m_model, &QAbstractItemModel::rowsInserted, this, linesChanged);
    connect(VST1->verticalScrollBar(), &QScrollBar::valueChanged, this, linesChanged);

    auto* layout = new QVBoxLayout(LeftPanel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Banner);
    layout->addWidget(VST1, 1);
}

void TFStart::buildRightArea()
{
    RightArea = new QWidget(this);
    RightArea->setObjectName(QStringLiteral("RightArea"));

    auto* picturePanel = new QWidget(RightArea);
    ImgView1 = new TImgView(picturePanel);
    ImgView1->setObjectName(QStringLiteral("ImgView1"));
    BtnScale = new QToolButton(picturePanel);
    BtnScale->setObjectName(QStringLiteral("BtnScale"));
    BtnScale->setText(QStringLiteral("+"));
    BtnUnscale = new QToolButton(picturePanel);
    BtnUnscale->setObjectName(QStringLiteral("BtnUnscale"));
    BtnUnscale->setText(QStringLiteral("-"));
    connect(BtnScale, &QToolButton::clicked, ImgView1, &TImgView::scaleUp);
    connect(BtnUnscale, &QToolButton::clicked, ImgView1, &TImgView::scaleDown);
    auto* zoom = new QVBoxLayout;
    zoom->setContentsMargins(0, 0, 0, 0);
    zoom->addWidget(BtnScale);
    zoom->addWidget(BtnUnscale);
    zoom->addStretch(1);
    auto* pictureLayout = new QHBoxLayout(picturePanel);
    pictureLayout->setContentsMargins(4, 4, 4, 4);
    pictureLayout->addWidget(ImgView1, 1);
    pictureLayout->addLayout(zoom);

    auto* lower = new QWidget(RightArea);
    BtnPDF = new QPushButton(lower);
    BtnPDF->setObjectName(QStringLiteral("BtnPDF"));
    BtnData = new QPushButton(lower);
    BtnData->setObjectName(QStringLiteral("BtnData"));
    BtnAcad = new QPushButton(lower);
    BtnAcad->setObjectName(QStringLiteral("BtnAcad"));
    connect(BtnAcad, &QPushButton::clicked, this, &TFStart::BtnAcadClick);
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addWidget(BtnPDF);
    buttons->addWidget(BtnData);
    buttons->addWidget(BtnAcad);

    PageControl1 = new QTabWidget(lower);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    TabGeneral = new QWidget;
    TabGeneral->setObjectName(QStringLiteral("TabGeneral"));
    htm1 = new TPageView(TabGeneral);
    htm1->setObjectName(QStringLiteral("htm1"));
    auto* generalLayout = new QVBoxLayout(TabGeneral);
    generalLayout->setContentsMargins(0, 0, 0, 0);
    generalLayout->addWidget(htm1);
    TabCert = new QWidget;
    TabCert->setObjectName(QStringLiteral("TabCert"));
    CertGrid1 = new QTableView(TabCert);
    CertGrid1->setObjectName(QStringLiteral("CertGrid1"));
    CertGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    CertGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* certLayout = new QVBoxLayout(TabCert);
    certLayout->setContentsMargins(0, 0, 0, 0);
    certLayout->addWidget(CertGrid1);
    PageControl1->addTab(TabGeneral, QString());
    PageControl1->addTab(TabCert, QString());

    auto* lowerLayout = new QVBoxLayout(lower);
    lowerLayout->setContentsMargins(4, 0, 4, 4);
    lowerLayout->addLayout(buttons);
    lowerLayout->addWidget(PageControl1, 1);

    Splitter2 = new QSplitter(Qt::Vertical, RightArea);
    Splitter2->setObjectName(QStringLiteral("Splitter2"));
    Splitter2->addWidget(picturePanel);
    Splitter2->addWidget(lower);
    Splitter2->setSizes({260, 310});
    Splitter2->setChildrenCollapsible(false);
    auto* rightLayout = new QVBoxLayout(RightArea);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addWidget(Splitter2);
}

void TFStart::connectPanel()
{
    // The panel gets only what it acts on: the focus, its buttons, the
    // certificate tab's visibility; it reports failures back here.
    connect(this, &TFStart::nodeFocused, m_panel, [this](const QModelIndex& node, int level) {
        QModelIndex chapter = node;
        while (chapter.parent().isValid())
            chapter = chapter.parent();
        m_panel->focusChanged(level, m_model->nodeNumber(node), m_model->nodeNumber(chapter));
    });
    connect(BtnPDF, &QPushButton::clicked, m_panel, &ProductPanel::BtnPDFClick);
    connect(BtnData, &QPushButton::clicked, m_panel, &ProductPanel::BtnDataClick);
    connect(BtnHelp1, &QToolButton::clicked, m_panel, &ProductPanel::BtnHelp1Click);
    connect(PageControl1, &QTabWidget::currentChanged, m_panel, [this](int index) {
        m_panel->setCertificatesShown(PageControl1->widget(index) == TabCert);
    });
    connect(m_panel, &ProductPanel::failed, this, &TFStart::showFailure);
}

void TFStart::applyCaptions()
{
    const MainCaptions c = MainCaptions::forLanguage(m_start.language);
    setWindowTitle(c.title);
    BtnSearch1->setText(c.search);
    BtnHelp1->setText(c.help);
    BtnPDF->setText(c.pdf);
    BtnData->setText(c.data);
    BtnAcad->setText(c.acad);
    PageControl1->setTabText(0, c.tabGeneral);
    PageControl1->setTabText(1, c.tabCert);
    for (int i = 0; i < 3; ++i)
        SelBox->setItemText(i, c.segments[i]);
}

int TFStart::segment() const
{
    return SelBox->currentIndex();
}

void TFStart::applyColours(int segment)
{
    const QColor a = SegmentColours::a(segment);
    const QColor b = SegmentColours::b(segment);
    for (QWidget* w : {static_cast<QWidget*>(this), RightArea, static_cast<QWidget*>(PageControl1)})
        setBackground(w, QPalette::Window, a);
    for (QWidget* w : {TabGeneral, TabCert})
        setBackground(w, QPalette::Window, a);
    QPalette sel = SelBox->palette();
    for (auto role : {QPalette::Base, QPalette::Button, QPalette::Window})
        sel.setColor(role, b);
    for (auto role : {QPalette::Text, QPalette::ButtonText, QPalette::WindowText})
        sel.setColor(role, Qt::black);
    SelBox->setPalette(sel);
    setBackground(htm1, QPalette::Base, b);
    setBackground(htm1->viewport(), QPalette::Base, b);
    setBackground(CertGrid1, QPalette::Base, b);
    setBackground(CertGrid1->viewport(), QPalette::Base, b);
}

void TFStart::selectSegment(int segment)
{
    if (segment < 0 || segment > 2)
        return;
    SelBox->setCurrentIndex(segment);
    SelBoxChange();
}

void TFStart::SelBoxChange()
{
    const int item = SelBox->currentIndex();
    if (item < 0 || item > 2)
        return;
    if (m_dbx)
        m_dbx->setSegment(item);
    applyColours(item);
    if (!m_dbx)
        return;
    // The tree is rebuilt from scratch: drop every node, then the groups.
    m_model->clear();
    m_focused = QPersistentModelIndex();
    m_focusedLevel = -1;
    const int groups = m_dbx->K1T1.isActive() ? m_dbx->K1T1.recordCount() : 0;
    m_model->resetRoot(groups);
    if (groups > 0)
        focusNode(m_model->index(0, 0));
    else
        emit nodeFocused(QModelIndex(), -1);
}

bool TFStart::createDataModule()
{
    if (!m_start.valid() || m_dbx)
        return false;
    m_dbx = std::make_unique<TDBX>();
    m_dbx->setLanguage(m_start.language);
    // The large tables finish loading after the window shows; a damaged file
    // found then is reported like one found while opening.
    m_dbx->setLoadErrorHandler([this](const QString& message) {
        MessageBoxService::show(this, message, windowTitle(), MessageBoxService::Ok,
                                MessageBoxService::Critical);
    });
    QString error;
    const bool ok = m_dbx->open(m_start.databaseDir, &error);
    if (!ok)
        showFailure(error);
    m_model->setDataModule(m_dbx.get());
    m_panel->setDataModule(m_dbx.get());
    applyColours(segment());
    SelBoxChange();
    return ok;
}

void TFStart::showFailure(const QString& message)
{
    MessageBoxService::show(this, message, windowTitle(), MessageBoxService::Ok,
                            MessageBoxService::Critical);
}

void TFStart::positionViews(const QModelIndex& node)
{
    if (m_model)
        m_model->positionViews(node);
}

void TFStart::focusNode(const QModelIndex& node)
{
    if (!node.isValid())
        return;
    VST1->selectionModel()->setCurrentIndex(node, QItemSelectionModel::ClearAndSelect |
                                                      QItemSelectionModel::Rows);
    // Already current: the selection model does not notify again.
    if (QModelIndex(m_focused) != node)
        onCurrentChanged(node);
}

void TFStart::onCurrentChanged(const QModelIndex& current)
{
    if (!current.isValid() || QModelIndex(m_focused) == current)
        return;
    m_focused = current;
    m_focusedLevel = CatalogueTreeModel::level(current);
    positionViews(current);
    emit nodeFocused(current, m_focusedLevel);
}

void TFStart::collapseAll()
{
    // Children go with their collapsed parents, top-level nodes last.
    for (int i = m_model->rowCount() - 1; i >= 0; --i) {
        const QModelIndex top = m_model->index(i, 0);
        VST1->collapse(top);
        m_model->collapse(top);
    }
}

void TFStart::fitTreeColumn()
{
    m_treeFitQueued = false;
    m_treeWidthDirty = false;
    // As wide as the longest line in view, and at least as wide as the view
    // so that a selected short line is highlighted across it. Only the lines
    // in view are measured: their texts are made when they are shown.
    const QAbstractItemView* view = VST1; // QTreeView hides its override
    const int width = std::max(VST1->viewport()->width(), view->sizeHintForColumn(0));
    if (VST1->header()->sectionSize(0) != width)
        VST1->header()->resizeSection(0, width);
}

void TFStart::onExpanded(const QModelIndex& index)
{
    m_model->expand(index);
}

void TFStart::onCollapsed(const QModelIndex& index)
{
    m_model->collapse(index);
    // A focused node inside the collapsed branch went with it.
    if (!m_focused.isValid() && m_focusedLevel >= 0)
        focusNode(index);
}

void TFStart::BtnAcadClick()
{
    if (!m_workbench) {
        WorkbenchHost host;
        host.language = m_start.language;
        host.databaseDir = m_start.databaseDir;
        host.programDir = QCoreApplication::applicationDirPath() + u'/';
        host.programFile = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
        host.config.read = [](const QString& section, const QString& key,
                              const QString& defaultValue) {
            return KavrelConfig::readString(section, key, defaultValue);
        };
        host.config.write = [](const QString& section, const QString& key,
                               const QString& value) {
            return KavrelConfig::writeString(section, key, value);
        };
        host.focusedProduct = [this]() -> std::optional<CatalogueProduct> {
            // Only a focused product is added; a group's K1T4 row is not.
            if (m_focusedLevel != 3 || !m_dbx || m_dbx->K1T4.isEmpty())
                return std::nullopt;
            const TableView& v = m_dbx->K1T4;
            return CatalogueProduct{v.asString(QStringLiteral("KODA")),
                                    v.asString(QStringLiteral("NAZIV")),
                                    v.asFloat(QStringLiteral("CENA"))};
        };
        host.findProduct = [this](const QString& code) { findProductByCode(code); };
        host.shownChanged = [this](bool shown) { setWorkbenchShown(shown); };
        host.drawingsOf = [this, lookup = std::shared_ptr<ProductDrawingLookup>()](
                              const QString& code) mutable {
            if (!m_dbx)
                return ProductDrawings{};
            if (!lookup)
                lookup = std::make_shared<ProductDrawingLookup>(*m_dbx);
            return lookup->forCode(code);
        };
        m_workbench = std::make_unique<WorkbenchWindows>(this, std::move(host));
    }
    m_workbench->toggle();
    emit acadRequested();
}

TFSearch* TFStart::BtnSearch1Click()
{
    auto* window = new TFSearch(this, m_start.language,
                                [this](const QString& code) { return findProduct(code); });
    window->show();
    return window;
}

bool TFStart::findProduct(const QString& code)
{
    if (!m_dbx)
        return false;
    const ProductSearch::Result found = m_search.find(*m_dbx, code);
    if (found.outcome == ProductSearch::Result::NotFound)
        return false;
    if (found.outcome == ProductSearch::Result::Stop)
        return true;
    selectSegment(found.segment);
    collapseAll();
    // Down the path: each node is looked for among its parent's children
    // and opened; a node that is not there ends the search quietly.
    QModelIndex parent;
    const int path[] = {found.group1, found.group2, found.group3, found.product};
    for (int depth = 0; depth < 4; ++depth) {
        QModelIndex match;
        for (int row = 0; row < m_model->rowCount(parent); ++row) {
            const QModelIndex child = m_model->index(row, 0, parent);
            if (m_model->nodeNumber(child) == path[depth]) {
                match = child;
                break;
            }
        }
        if (!match.isValid())
            return true;
        if (depth < 3)
            VST1->expand(match);
        parent = match;
    }
    focusNode(parent);
    VST1->scrollTo(parent);
    VST1->setFocus();
    return true;
}

bool TFStart::findProductByCode(const QString& code)
{
    if (findProduct(code))
        return true;
    const TFSearch::Captions notFound = TFSearch::notFoundFor(m_start.language);
    if (!notFound.caption.isEmpty())
        MessageBoxService::show(this, notFound.caption, notFound.label,
                                MessageBoxService::Ok | MessageBoxService::Cancel,
                                MessageBoxService::Warning);
    return false;
}

bool TFStart::eventFilter(QObject* watched, QEvent* event)
{
    if (VST1 && watched == VST1->viewport()) {
        if (event->type() == QEvent::Resize)
            m_treeWidthDirty = true;
        // Fitted after a paint, when the lines in view are known; fitting
        // paints again, and then nothing has changed any more.
        if (event->type() == QEvent::Paint && m_treeWidthDirty && !m_treeFitQueued) {
            m_treeFitQueued = true;
            QMetaObject::invokeMethod(this, &TFStart::fitTreeColumn, Qt::QueuedConnection);
        }
    }
    if (!m_firstPaintSeen && VST1 && watched == VST1->viewport() &&
        event->type() == QEvent::Paint && m_model->rowCount() > 0) {
        m_firstPaintSeen = true;
        // Reported once the paint that is about to run has finished.
        QMetaObject::invokeMethod(
            this, [this] { emit treeFirstPainted(); }, Qt::QueuedConnection);
    }
    return QWidget::eventFilter(watched, event);
}

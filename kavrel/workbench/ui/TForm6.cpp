// Construction of the workbench window: controls, menus, texts, placement.
#include "TForm6.h"

#include "BomListModel.h"
#include "BomOutputCommands.h"
#include "ItemGridModel.h"
#include "MessageBoxService.h"
#include "TFormProjekt.h"
#include "TNastavitve.h"
#include "WorkbenchIcons.h"
#include "WorkbenchPlacement.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QSpinBox>
#include <QSplitter>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

const QColor TForm6::BomItemBackground(252, 254, 203);

namespace {

// The BOM list's first column: the Type's icon stretched over the cell.
class BomIconDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        if (index.column() != BomListModel::TypeIcon) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        painter->fillRect(option.rect, index.data(Qt::BackgroundRole).value<QColor>());
        const QIcon icon = WorkbenchIcons::forBomType(index.data(BomListModel::TypeRole).toString());
        if (!icon.isNull())
            painter->drawPixmap(option.rect, icon.pixmap(option.rect.size()));
    }
};

QToolButton* toolButton(QWidget* parent, const char* name, const QIcon& icon)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setIcon(icon);
    b->setIconSize(QSize(20, 20));
    b->setAutoRaise(true);
    return b;
}

QIcon standard(QStyle::StandardPixmap which)
{
    return QApplication::style()->standardIcon(which);
}

QIcon textIcon(const QString& text, const QColor& colour = Qt::black)
{
    QPixmap p(32, 32);
    p.fill(Qt::transparent);
    QPainter g(&p);
    QFont f = g.font();
    f.setPixelSize(24);
    f.setBold(true);
    g.setFont(f);
    g.setPen(colour);
    g.drawText(p.rect(), Qt::AlignCenter, text);
    return QIcon(p);
}

QTableView* grid(QWidget* parent, const char* name)
{
    auto* v = new QTableView(parent);
    v->setObjectName(QLatin1String(name));
    v->setSelectionBehavior(QAbstractItemView::SelectRows);
    v->setSelectionMode(QAbstractItemView::SingleSelection);
    v->verticalHeader()->setDefaultSectionSize(v->fontMetrics().height() + 4);
    v->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    v->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed |
                       QAbstractItemView::AnyKeyPressed);
    return v;
}

} // namespace

TForm6::TForm6(QWidget* owner, const WorkbenchHost& host, TNastavitve* settings)
    : QMainWindow(owner, Qt::Tool), m_host(host), m_settings(settings),
      m_model(std::make_unique<WorkbenchModel>()), m_texts(WorkbenchTexts::forLanguage(host.language))
{
    setObjectName(QStringLiteral("Form6"));
    resize(800, 360);
    setMinimumSize(640, 212);
    m_model->setLeaveHandler([this] { return closeRoutine(); });
    try {
        m_model->open(host.databaseDir, host.language);
    } catch (const TableError& e) {
        MessageBoxService::show(owner, e.message(), QStringLiteral("KAVREL"), MessageBoxService::Ok,
                                MessageBoxService::Critical);
    }
    // The settings window was loaded before this window existed: its
    // scales and options hold from the start.
    if (m_settings) {
        m_model->setSymbolScale(m_settings->symbolFactor());
        m_model->setDimensionScale(m_settings->dimensionFactor());
    }
    m_itemModel = new ItemGridModel(*m_model, this);
    m_bomModel = new BomListModel(*m_model, this);
    buildPanel();
    buildItemGrid();
    Splitter1 = new QSplitter(Qt::Vertical, this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->addWidget(Panel3);
    Splitter1->addWidget(DBGrid1);
    Splitter1->setChildrenCollapsible(false);
    Splitter1->setStretchFactor(1, 1);
    setCentralWidget(Splitter1);
    buildMenus();
    connectModel();
    applyGridLayout();
    applyTexts();
    readPlacement();
    disableInsertCommands();
    if (m_settings) {
        m_model->setProjectView(m_settings->ProjectView1->isChecked());
        m_model->rebuildItemView();
        if (!m_settings->ConnBOM->isChecked())
            setBomGridShown(false);
    }
    followBomCursor();
    itemsChanged();
    m_projects = new TFormProjekt(this, *m_model, host.language);
    m_output = new BomOutputCommands(*this, m_settings);
}

TForm6::~TForm6()
{
    // The grids ask their models for rows on the way out: they, their
    // models and the projects window go while the workbench model exists.
    delete m_output;
    DBGrid1->viewport()->removeEventFilter(this);
    delete m_projects;
    delete takeCentralWidget();
    delete m_itemModel;
    delete m_bomModel;
}

void TForm6::buildPanel()
{
    Panel3 = new QWidget(this);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel3->setMinimumHeight(110);
    auto* row = new QHBoxLayout(Panel3);
    row->setContentsMargins(2, 2, 8, 2);
    row->setSpacing(4);
    row->addWidget(buildBomButtons());
    DBRisbaGrid1 = grid(Panel3, "DBRisbaGrid1");
    DBRisbaGrid1->setModel(m_bomModel);
    DBRisbaGrid1->setItemDelegate(new BomIconDelegate(DBRisbaGrid1));
    DBRisbaGrid1->verticalHeader()->hide();
    DBRisbaGrid1->horizontalHeader()->setStretchLastSection(false);
    DBRisbaGrid1->setColumnWidth(BomListModel::TypeIcon, 22);
    DBRisbaGrid1->setColumnWidth(BomListModel::Name, 180);
    DBRisbaGrid1->setColumnWidth(BomListModel::Date, 80);
    DBRisbaGrid1->setEditTriggers(QAbstractItemView::SelectedClicked |
                                  QAbstractItemView::EditKeyPressed);
    // The list takes what the buttons and totals leave, never more.
    DBRisbaGrid1->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Expanding);
    DBRisbaGrid1->setMinimumWidth(160);
    row->addWidget(DBRisbaGrid1, 1);
    row->addWidget(buildItemButtons());
    row->addWidget(buildInsertButtons());
    row->addWidget(buildTotalsAndToggles());
}

QWidget* TForm6::buildBomButtons()
{
    auto* w = new QWidget(Panel3);
    auto* col = new QVBoxLayout(w);
    col->setContentsMargins(0, 0, 0, 0);
    col->setSpacing(1);
    SpeedButton1 = toolButton(w, "SpeedButton1", WorkbenchIcons::image(0));
    SpeedButton1->setCheckable(true);
    GProjekti = toolButton(w, "GProjekti", standard(QStyle::SP_DirOpenIcon));
    GNewBOM = toolButton(w, "GNewBOM", standard(QStyle::SP_FileIcon));
    GDelBOM = toolButton(w, "GDelBOM", standard(QStyle::SP_TrashIcon));
    for (QToolButton* b : {SpeedButton1, GProjekti, GNewBOM, GDelBOM})
        col->addWidget(b);
    col->addStretch();
    connect(SpeedButton1, &QToolButton::clicked, this, &TForm6::SpeedButton1Click);
    connect(GProjekti, &QToolButton::clicked, this, &TForm6::GProjektiClick);
    connect(GNewBOM, &QToolButton::clicked, this, &TForm6::GNewBOMClick);
    connect(GDelBOM, &QToolButton::clicked, this, &TForm6::GDelBOMClick);
    return w;
}

QWidget* TForm6::buildItemButtons()
{
    auto* w = new QWidget(Panel3);
    auto* g = new QGridLayout(w);
    g->setContentsMargins(0, 0, 0, 0);
    g->setSpacing(1);
    ScanBtn = toolButton(w, "ScanBtn", standard(QStyle::SP_BrowserReload));
    BtnDelItem = toolButton(w, "BtnDelItem", textIcon(QStringLiteral("−"), QColor(190, 30, 30)));
    GBtnOrder = toolButton(w, "GBtnOrder", textIcon(QStringLiteral("+"), QColor(20, 130, 20)));
    SpinEdit2 = new QSpinBox(w);
    SpinEdit2->setObjectName(QStringLiteral("SpinEdit2"));
    SpinEdit2->setRange(1, 100);
    SpinEdit2->setValue(1);
    g->addWidget(ScanBtn, 0, 0);
    g->addWidget(BtnDelItem, 1, 0);
    g->addWidget(GBtnOrder, 2, 0);
    g->addWidget(SpinEdit2, 3, 0);
    g->setRowStretch(4, 1);
    connect(ScanBtn, &QToolButton::clicked, this, &TForm6::ScanBtnClick);
    connect(BtnDelItem, &QToolButton::clicked, this, &TForm6::BtnDelItemClick);
    connect(GBtnOrder, &QToolButton::clicked, this, &TForm6::GBtnOrderClick);
    return w;
}

QWidget* TForm6::buildInsertButtons()
{
    auto* w = new QWidget(Panel3);
    auto* g = new QGridLayout(w);
    g->setContentsMargins(0, 0, 0, 0);
    g->setSpacing(3);
    const auto ring = [w](const char* name, const QColor& colour, QToolButton* button) {
        auto* f = new QFrame(w);
        f->setObjectName(QLatin1String(name));
        f->setStyleSheet(QStringLiteral("QFrame#%1 { background: %2; border-radius: 17px; }")
                             .arg(QLatin1String(name), colour.name()));
        f->setFixedSize(34, 34);
        auto* l = new QHBoxLayout(f);
        l->setContentsMargins(3, 3, 3, 3);
        l->addWidget(button);
        return f;
    };
    BtnSYM = toolButton(w, "BtnSYM", WorkbenchIcons::image(2));
    BtnDIM = toolButton(w, "BtnDIM", WorkbenchIcons::image(4));
    RingSym = ring("RingSym", QColor(150, 230, 130), BtnSYM);
    RingDim = ring("RingDim", QColor(130, 200, 245), BtnDIM);
    // Prepared like the symbol but never offered, as in the original window.
    BtnSYM3 = toolButton(w, "BtnSYM3", WorkbenchIcons::image(2));
    BtnLine = toolButton(w, "BtnLine", QIcon());
    BtnSYM3->hide();
    BtnLine->hide();
    CBBlock = new QComboBox(w);
    CBBlock->setObjectName(QStringLiteral("CBBlock"));
    for (char c = 'A'; c <= 'L'; ++c)
        CBBlock->addItem(QString(QLatin1Char(c)));
    CBBlock->setCurrentText(QStringLiteral("F"));
    Block1 = new QLineEdit(QStringLiteral("1"), w);
    Block1->setObjectName(QStringLiteral("Block1"));
    Block1->setMaximumWidth(50);
    g->addWidget(RingSym, 0, 0);
    g->addWidget(RingDim, 0, 1);
    g->addWidget(CBBlock, 1, 0);
    g->addWidget(Block1, 1, 1);
    g->setRowStretch(2, 1);
    connect(BtnSYM, &QToolButton::clicked, this, &TForm6::BtnSYMClick);
    connect(BtnDIM, &QToolButton::clicked, this, &TForm6::BtnDIMClick);
    return w;
}

QWidget* TForm6::buildTotalsAndToggles()
{
    auto* w = new QWidget(Panel3);
    auto* col = new QVBoxLayout(w);
    col->setContentsMargins(0, 0, 0, 0);
    col->setSpacing(2);
    TotalsPanel = new QWidget(w);
    TotalsPanel->setObjectName(QStringLiteral("TotalsPanel"));
    auto* totals = new QGridLayout(TotalsPanel);
    totals->setContentsMargins(0, 0, 0, 0);
    Label1 = new QLabel(TotalsPanel);
    Label3 = new QLabel(TotalsPanel);
    TotVred = new QLabel(TotalsPanel);
    SumProj = new QLabel(TotalsPanel);
    for (QLabel* l : {TotVred, SumProj}) {
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        l->setMinimumWidth(95);
        l->setFrameShape(QFrame::StyledPanel);
    }
    totals->addWidget(Label1, 0, 0);
    totals->addWidget(TotVred, 0, 1);
    totals->addWidget(Label3, 1, 0);
    totals->addWidget(SumProj, 1, 1);
    col->addWidget(TotalsPanel);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(1);
    BtnSUM = toolButton(w, "BtnSUM", textIcon(QStringLiteral("Σ")));
    BtnPrice = toolButton(w, "BtnPrice", textIcon(QStringLiteral("€")));
    BtnSUM->setCheckable(true);
    BtnPrice->setCheckable(true);
    TntBitBtn4 = toolButton(w, "TntBitBtn4", standard(QStyle::SP_FileDialogDetailedView));
    TntBitBtn3 = toolButton(w, "TntBitBtn3", standard(QStyle::SP_DialogSaveButton));
    Tiskaj = toolButton(
        w, "Tiskaj",
        QIcon::fromTheme(QStringLiteral("document-print"), standard(QStyle::SP_FileDialogContentsView)));
    for (QToolButton* b : {BtnSUM, BtnPrice, TntBitBtn4, TntBitBtn3, Tiskaj})
        buttons->addWidget(b);
    buttons->addStretch();
    col->addLayout(buttons);
    col->addStretch();
    connect(BtnSUM, &QToolButton::clicked, this, &TForm6::BtnSUMClick);
    connect(BtnPrice, &QToolButton::clicked, this, &TForm6::BtnPriceClick);
    connect(TntBitBtn4, &QToolButton::clicked, this, &TForm6::TntBitBtn4Click);
    connect(TntBitBtn3, &QToolButton::clicked, this, &TForm6::TntBitBtn3Click);
    connect(Tiskaj, &QToolButton::clicked, this, &TForm6::TiskajClick);
    return w;
}

void TForm6::buildItemGrid()
{
    DBGrid1 = grid(this, "DBGrid1");
    DBGrid1->setModel(m_itemModel);
    DBGrid1->verticalHeader()->hide();
    DBGrid1->horizontalHeader()->setSectionsClickable(true);
    DBGrid1->horizontalHeader()->setHighlightSections(false);
    DBGrid1->viewport()->installEventFilter(this);
    applyColumnWidths();
    connect(DBGrid1->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        run([&] { m_model->orderByColumn(column); });
    });
    connect(DBGrid1, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        const QString code =
            m_itemModel->index(index.row(), ItemGridModel::Ident).data(Qt::EditRole).toString();
        if (m_host.findProduct && !code.isEmpty())
            m_host.findProduct(code);
    });
}

// Display widths in characters of the columns a user reads most.
void TForm6::applyColumnWidths()
{
    // Codes and amounts are digits, wider than the average character.
    const QFontMetrics metrics = DBGrid1->fontMetrics();
    const int unit = std::max(metrics.averageCharWidth(), metrics.horizontalAdvance(QLatin1Char('0')));
    const std::pair<int, int> widths[] = {{ItemGridModel::Kol, 7},   {ItemGridModel::Ident, 7},
                                          {ItemGridModel::Naziv, 34}, {ItemGridModel::Cena, 8},
                                          {ItemGridModel::Rabat, 4},  {ItemGridModel::Neto, 15}};
    for (const auto& [column, chars] : widths)
        DBGrid1->setColumnWidth(column, chars * unit + 12);
}

void TForm6::buildMenus()
{
    QMenuBar* bar = menuBar();
    const auto action = [this](QMenu* menu, const char* name, void (TForm6::*slot)()) {
        QAction* a = menu->addAction(QString());
        a->setObjectName(QLatin1String(name));
        if (slot)
            connect(a, &QAction::triggered, this, slot);
        return a;
    };
    MnProjects = bar->addMenu(QString());
    MnProjectShow = action(MnProjects, "MnProjectShow", &TForm6::GProjektiClick);
    MnBOM = bar->addMenu(QString());
    MnAddBOM = action(MnBOM, "MnAddBOM", &TForm6::GNewBOMClick);
    MnDelBOM = action(MnBOM, "MnDelBOM", &TForm6::GDelBOMClick);
    MnSyncBOM = action(MnBOM, "MnSyncBOM", &TForm6::ScanBtnClick);
    MnExBOM = MnBOM->addMenu(QString());
    MnBOMPrint = action(MnExBOM, "MnBOMPrint", &TForm6::TiskajClick);
    MnBOMExcel = action(MnExBOM, "MnBOMExcel", &TForm6::TntBitBtn3Click);
    MnItems1 = bar->addMenu(QString());
    MnAdditem = action(MnItems1, "MnAdditem", &TForm6::GBtnOrderClick);
    MnDelItem = action(MnItems1, "MnDelItem", &TForm6::BtnDelItemClick);
    MnAutocad1 = bar->addMenu(QString());
    MnConnected1 = action(MnAutocad1, "MnConnected1", nullptr);
    MnAddsymbol1 = action(MnAutocad1, "MnAddsymbol1", &TForm6::BtnSYMClick);
    MnAdddrawing1 = action(MnAutocad1, "MnAdddrawing1", &TForm6::BtnDIMClick);
    MnSettings1 = bar->addMenu(QString());
    MnSetShow1 = action(MnSettings1, "MnSetShow1", &TForm6::TntBitBtn4Click);
}

void TForm6::applyTexts()
{
    const WorkbenchTexts& t = m_texts;
    setWindowTitle(t.caption);
    Tiskaj->setVisible(t.printVisible);
    m_itemModel->setTitles(t.itemColumns);
    m_bomModel->setTitles(t.bomColumnName, t.bomColumnDate);
    MnProjects->setTitle(t.mnProjects);
    MnProjectShow->setText(t.mnProjectShow);
    MnBOM->setTitle(t.mnBom);
    MnAddBOM->setText(t.mnAddBom);
    MnDelBOM->setText(t.mnDelBom);
    MnSyncBOM->setText(t.mnSyncBom);
    MnExBOM->setTitle(t.mnExBom);
    MnBOMPrint->setText(t.mnBomPrint);
    MnBOMExcel->setText(t.mnBomExcel);
    MnItems1->setTitle(t.mnItems);
    MnAdditem->setText(t.mnAddItem);
    MnDelItem->setText(t.mnDelItem);
    MnAutocad1->setTitle(t.mnAutocad);
    MnConnected1->setText(t.mnConnected);
    MnAddsymbol1->setText(t.mnAddSymbol);
    MnAdddrawing1->setText(t.mnAddDrawing);
    MnSettings1->setTitle(t.mnSettings);
    MnSetShow1->setText(t.mnSetShow);
    const std::pair<QWidget*, QString> hints[] = {
        {GProjekti, t.hintProjects}, {GNewBOM, t.hintNewBom},     {GDelBOM, t.hintDelBom},
        {ScanBtn, t.hintScan},       {BtnDelItem, t.hintDelItem}, {BtnSYM, t.hintSym},
        {BtnSYM3, t.hintSym3},       {BtnDIM, t.hintDim},         {GBtnOrder, t.hintOrder},
        {CBBlock, t.hintBlock},      {Block1, t.hintBlockNo},     {BtnSUM, t.hintSum},
        {BtnPrice, t.hintPrice},     {TntBitBtn4, t.hintSettings}, {TntBitBtn3, t.hintExcel},
        {Tiskaj, t.hintPrint},       {SpeedButton1, t.hintConnect}};
    for (const auto& [widget, hint] : hints)
        widget->setToolTip(hint);
    Label1->setText(t.valueLabel);
    Label3->setText(t.projectLabel);
    // Room for the longer label of the language beside the amounts.
    const int labels = std::max(Label1->sizeHint().width(), Label3->sizeHint().width());
    TotalsPanel->setMinimumWidth(labels + 8 + TotVred->minimumWidth());
    updateCaption();
}

void TForm6::updateCaption()
{
    if (!m_model->isOpen())
        return;
    const bool attached = hooks.hasApplication && hooks.hasApplication();
    setWindowTitle(m_texts.captionPrefix + m_model->currentProjectName() +
                   (attached ? m_texts.suffixConnected : m_texts.suffixDisconnected));
}

void TForm6::readPlacement()
{
    if (!m_host.config.read)
        return;
    const WorkbenchPlacement p = WorkbenchPlacement::load(m_host.config, geometry());
    m_placementStored = p.stored;
    setGeometry(p.geometry);
    Splitter1->setSizes({std::max(p.panelHeight, 110), std::max(0, p.geometry.height() - p.panelHeight)});
}

void TForm6::writePlacement()
{
    if (!m_host.config.write)
        return;
    WorkbenchPlacement p;
    p.geometry = geometry();
    p.panelHeight = Panel3->height();
    p.save(m_host.config);
}

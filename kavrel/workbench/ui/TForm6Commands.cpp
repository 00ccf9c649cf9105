// The commands, events and grid cursors of the workbench window.
#include "BomListModel.h"
#include "BomTotals.h"
#include "ItemGridModel.h"
#include "MessageBoxService.h"
#include "TAcadMess.h"
#include "TForm6.h"
#include "TFormProjekt.h"
#include "TNastavitve.h"
#include "WorkbenchIcons.h"

#include <QCloseEvent>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QToolButton>

void TForm6::run(const std::function<void()>& command)
{
    try {
        command();
    } catch (const TableError& e) {
        MessageBoxService::show(this, e.message(), windowTitle(), MessageBoxService::Ok,
                                MessageBoxService::Critical);
    }
}

void TForm6::connectModel()
{
    WorkbenchModel* m = m_model.get();
    connect(m, &WorkbenchModel::overrun, this,
            [this](const QString& message) { MessageBoxService::show(this, message, windowTitle()); });
    connect(m, &WorkbenchModel::projectChanged, this, &TForm6::updateCaption);
    connect(m, &WorkbenchModel::projectsChanged, this, &TForm6::updateCaption);
    connect(m, &WorkbenchModel::bomsChanged, this, &TForm6::followBomCursor);
    connect(m, &WorkbenchModel::currentBomChanged, this, &TForm6::followBomCursor);
    connect(m, &WorkbenchModel::itemsChanged, this, &TForm6::itemsChanged);
    connect(m, &WorkbenchModel::itemViewRebuilt, this, &TForm6::itemsChanged);
    connect(m, &WorkbenchModel::totalsChanged, this, &TForm6::refreshTotals);
    const auto failed = [this](const QString& message) {
        MessageBoxService::show(this, message, windowTitle(), MessageBoxService::Ok,
                                MessageBoxService::Critical);
    };
    connect(m_itemModel, &ItemGridModel::editFailed, this, failed);
    connect(m_bomModel, &BomListModel::editFailed, this, failed);

    // The grids' current rows are the views' cursors.
    connect(DBRisbaGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (m_following || !current.isValid())
                    return;
                const TableView& r = m_model->tables().Risba;
                const int key =
                    r.rowValue(r.rowIdAt(current.row() + 1), r.fieldIndex(QStringLiteral("L2")))
                        .toInt();
                run([&] { m_model->selectBom(key); });
            });
    connect(DBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                // Summary rows are products, not items: the item cursor stays.
                if (m_following || !current.isValid() || m_summary)
                    return;
                TableView& v = m_model->tables().TNar;
                if (v.recNo() != current.row() + 1)
                    run([&] { v.setRecNo(current.row() + 1); });
            });
    connect(DBRisbaGrid1, &QTableView::doubleClicked, this, [this] {
        if (hooks.openDrawing)
            hooks.openDrawing();
    });
}

void TForm6::followBomCursor()
{
    m_following = true;
    const int row = m_model->tables().Risba.recNo() - 1;
    if (row >= 0)
        DBRisbaGrid1->setCurrentIndex(m_bomModel->index(row, BomListModel::Name));
    m_following = false;
}

void TForm6::followItemCursor()
{
    if (m_summary)
        return;
    m_following = true;
    const int row = m_model->tables().TNar.recNo() - 1;
    if (row >= 0)
        DBGrid1->setCurrentIndex(
            m_itemModel->index(row, std::max(0, DBGrid1->currentIndex().column())));
    m_following = false;
}

// DSNarDataChange: Delete item follows the rows of the item view. The
// summary view shows products, not items: nothing there names the item that
// would be deleted.
void TForm6::itemsChanged()
{
    const bool rows = !m_summary && !m_model->tables().TNar.isEmpty();
    BtnDelItem->setEnabled(rows);
    MnDelItem->setEnabled(rows);
    followItemCursor();
    refreshTotals();
}

void TForm6::refreshTotals()
{
    const BomTotals totals = BomTotals::of(*m_model);
    TotVred->setText(BomTotals::formatBom(totals.bom));
    SumProj->setText(BomTotals::formatProject(totals.project));
}

void TForm6::disableInsertCommands()
{
    for (QToolButton* b : {BtnSYM, BtnSYM3, BtnDIM, BtnLine, BtnDelItem})
        b->setEnabled(false);
    MnAddsymbol1->setEnabled(false);
    MnAdddrawing1->setEnabled(false);
    ScanBtn->setEnabled(false); // no drawing is bound while not connected
}

void TForm6::applyGridLayout()
{
    const bool price = BtnPrice->isChecked();
    const bool summary = m_summary;
    for (int c = 0; c < ItemGridModel::ColumnCount; ++c) {
        bool shown = true;
        if (c == ItemGridModel::Kol)
            shown = !summary;
        else if (c == ItemGridModel::SumKol)
            shown = summary;
        else if (c >= ItemGridModel::Cena && c <= ItemGridModel::Vred)
            shown = !summary && price;
        else if (c == ItemGridModel::SumVred)
            shown = summary && price;
        else if (c >= ItemGridModel::Blok)
            shown = !summary;
        DBGrid1->setColumnHidden(c, !shown);
    }
    if (!summary)
        TotalsPanel->setVisible(price);
}

void TForm6::setBomGridShown(bool shown)
{
    DBGrid1->setVisible(shown);
    Tiskaj->setEnabled(shown);
    TntBitBtn3->setEnabled(shown);
    resize(width(), shown ? 360 : 212);
}

void TForm6::setSource(Source source)
{
    m_source = source;
    QPalette p = DBGrid1->palette();
    p.setColor(QPalette::Base, source == Source::BomItem ? BomItemBackground
                                                         : palette().color(QPalette::Base));
    DBGrid1->setPalette(p);
    GBtnOrder->setEnabled(source == Source::Catalogue);
    MnAdditem->setEnabled(source == Source::Catalogue);
}

void TForm6::catalogueFocusChanged()
{
    setSource(Source::Catalogue);
}

bool TForm6::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == DBGrid1->viewport() &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease))
        setSource(m_model->tables().TNar.isEmpty() ? Source::Catalogue : Source::BomItem);
    return QMainWindow::eventFilter(watched, event);
}

// ---------------------------------------------------------------- commands

void TForm6::SpeedButton1Click()
{
    if (hooks.connect)
        hooks.connect(SpeedButton1->isChecked());
    else
        SpeedButton1->setChecked(false); // nothing to connect to
    SpeedButton1->setIcon(WorkbenchIcons::image(SpeedButton1->isChecked() ? 1 : 0));
}

void TForm6::GProjektiClick()
{
    m_projects->show();
    m_projects->raise();
}

void TForm6::GNewBOMClick()
{
    run([this] { m_model->newBom(); });
}

void TForm6::GDelBOMClick()
{
    if (m_model->currentBom() == 0)
        return;
    if (!TAcadMess::ask(this, m_texts.deleteBomTitle, m_texts.deleteBomText))
        return;
    run([this] { m_model->deleteBom(); });
}

void TForm6::ScanBtnClick()
{
    if (hooks.synchronize)
        hooks.synchronize();
}

void TForm6::BtnDelItemClick()
{
    run([this] { m_model->deleteItem(); });
}

void TForm6::GBtnOrderClick()
{
    if (m_source != Source::Catalogue || !m_host.focusedProduct)
        return;
    const std::optional<CatalogueProduct> product = m_host.focusedProduct();
    if (!product)
        return; // the catalogue's focus is on a group, not a product
    run([&] { m_model->addWithoutCad(*product, SpinEdit2->value()); });
    raise();
    activateWindow();
}

void TForm6::BtnSYMClick()
{
    if (hooks.insert)
        hooks.insert(false);
}

void TForm6::BtnDIMClick()
{
    if (hooks.insert)
        hooks.insert(true);
}

void TForm6::BtnSUMClick()
{
    if (!hooks.summary) {
        BtnSUM->setChecked(false);
        return;
    }
    // The hook leaves the button up when the summary could not be made.
    hooks.summary(BtnSUM->isChecked());
    m_summary = BtnSUM->isChecked();
    applyGridLayout();
    itemsChanged();
}

void TForm6::BtnPriceClick()
{
    applyGridLayout();
}

void TForm6::TntBitBtn4Click()
{
    if (!m_settings)
        return;
    m_settings->show();
    m_settings->raise();
}

void TForm6::TntBitBtn3Click()
{
    if (hooks.exportExcel)
        hooks.exportExcel();
}

void TForm6::TiskajClick()
{
    if (hooks.print)
        hooks.print();
}

// ------------------------------------------------------------------ events

bool TForm6::closeRoutine()
{
    // Going back to the CAD to save a drawing refuses the close, but what
    // the BOMs hold so far is saved all the same: the person may never come
    // back to close the workbench properly.
    const bool close = !hooks.closeCheck || hooks.closeCheck();
    bool saved = true;
    run([&] {
        saved = false;
        m_model->saveAll();
        saved = true;
    });
    writePlacement();
    return close && saved;
}

void TForm6::closeEvent(QCloseEvent* event)
{
    if (closeRoutine())
        event->accept();
    else
        event->ignore();
}

void TForm6::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_host.shownChanged)
        m_host.shownChanged(true);
    if (m_host.config.read) {
        // Carried in the configuration without a function; read as always.
        for (const char* key : {"STNAR", "DATNAR", "N1E1"})
            m_host.config.read(QStringLiteral("NAR"), QLatin1String(key), QStringLiteral("NAPAKA"));
    }
    if (m_model->isOpen())
        run([this] { m_model->tables().TNarTot.refresh(); });
    refreshTotals();
}

void TForm6::hideEvent(QHideEvent* event)
{
    QMainWindow::hideEvent(event);
    if (m_host.shownChanged)
        m_host.shownChanged(false);
}

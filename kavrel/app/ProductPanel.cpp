#include "ProductPanel.h"

#include "CatalogueTreeModel.h"
#include "CertGridModel.h"
#include "HelpDocument.h"
#include "MessageBoxService.h"
#include "PdfWindowManager.h"
#include "PictureSelector.h"
#include "ProductPage.h"
#include "ProductSearch.h"
#include "TDBX.h"
#include "TFSearch.h"
#include "TFStart.h"
#include "TImgView.h"
#include "TPageView.h"
#include "WinPath.h"

#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QTreeView>

ProductPanel::ProductPanel(TFStart& start)
    : QObject(&start), m_start(start), m_pdf(std::make_unique<PdfWindowManager>(&start))
{
    connect(&start, &TFStart::nodeFocused, this, &ProductPanel::focusChanged);
    connect(&start, &TFStart::pdfRequested, this, &ProductPanel::BtnPDFClick);
    connect(&start, &TFStart::dataRequested, this, &ProductPanel::BtnDataClick);
    connect(&start, &TFStart::helpRequested, this, &ProductPanel::BtnHelp1Click);
    connect(&start, &TFStart::searchRequested, this, [this] { BtnSearch1Click(); });
    connect(start.BtnScale, &QToolButton::clicked, this, &ProductPanel::BtnScaleClick);
    connect(start.BtnUnscale, &QToolButton::clicked, this, &ProductPanel::BtnUnscaleClick);
    connect(start.PageControl1, &QTabWidget::currentChanged, this, &ProductPanel::tabChanged);
    connect(start.CertGrid1, &QTableView::clicked, this, &ProductPanel::CertGrid1CellClick);
    m_tabIndex = start.PageControl1->currentIndex();
}

ProductPanel::~ProductPanel()
{
    // The PDF window writes its placement as it goes.
    m_pdf->closePdfWindows();
}

void ProductPanel::dataModuleCreated()
{
    TDBX* dbx = m_start.dataModule();
    if (!dbx || m_page)
        return;
    m_pictures = std::make_unique<PictureSelector>(*dbx, m_start.pictureDir());
    m_page = std::make_unique<ProductPage>(*dbx);
    m_certModel = new CertGridModel(dbx->Cert, this);
    m_start.CertGrid1->setModel(m_certModel);
}

void ProductPanel::setWorkbenchHooks(std::function<bool()> exists,
                                     std::function<void()> drawingsChanged)
{
    m_workbenchExists = std::move(exists);
    m_drawingsChanged = std::move(drawingsChanged);
}

void ProductPanel::focusChanged(const QModelIndex& node, int level)
{
    TDBX* dbx = m_start.dataModule();
    CatalogueTreeModel* model = m_start.treeModel();
    if (!node.isValid() || !dbx || !model)
        return;
    if (!m_page)
        dataModuleCreated();
    const int number = model->nodeNumber(node);
    pictureFor(number, level);

    QModelIndex chapter = node;
    while (chapter.parent().isValid())
        chapter = chapter.parent();
    const bool workbench = m_workbenchExists && m_workbenchExists();
    m_focused = FocusDetails::compute(*dbx, m_start.dataDir(), level, number,
                                      model->nodeNumber(chapter), workbench);
    m_pdf->followFocus(m_focused.catalogueDocument, m_focused.cataloguePage,
                       m_focused.technicalDocument, m_focused.technicalPage);
    certificatesFor(level);
    if (workbench && m_drawingsChanged)
        m_drawingsChanged();
    m_start.htm1->showPage(m_page->html(number), m_start.databaseDir());
}

void ProductPanel::pictureFor(int node, int level)
{
    if (!m_pictures || !m_pictures->moveToNode(node))
        return;
    const std::optional<QString> file = m_pictures->pictureChange();
    if (!file || !WinPath::exists(*file))
        return;
    auto* view = m_start.ImgView1;
    if (view && view->loadFromFile(*file))
        view->fitForLevel(level);
}

void ProductPanel::certificatesFor(int level)
{
    TDBX* dbx = m_start.dataModule();
    dbx->setCertCode(level == 3 ? m_focused.certificateCode : QString());
    refreshCertGrid();
    if (!certTabShown())
        return;
    if (level == 3) {
        if (dbx->Cert.isActive())
            dbx->Cert.first();
        showCurrentCertificate();
    } else {
        m_pdf->closePdfWindows();
    }
}

void ProductPanel::BtnPDFClick()
{
    m_pdf->showCatalogue(m_focused.catalogueDocument, m_focused.cataloguePage);
}

void ProductPanel::BtnDataClick()
{
    m_pdf->showTechnicalData(m_focused.technicalDocument, m_focused.technicalPage);
}

void ProductPanel::BtnHelp1Click()
{
    const QString manual = HelpDocument::path(m_start.dataDir(), m_start.languageCode());
    if (!manual.isEmpty())
        m_pdf->showHelp(manual);
}

void ProductPanel::BtnScaleClick()
{
    if (auto* view = m_start.ImgView1)
        view->scaleUp();
}

void ProductPanel::BtnUnscaleClick()
{
    if (auto* view = m_start.ImgView1)
        view->scaleDown();
}

bool ProductPanel::certTabShown() const
{
    return m_start.PageControl1->currentWidget() == m_start.TabCert;
}

void ProductPanel::tabChanged(int index)
{
    const int cert = m_start.PageControl1->indexOf(m_start.TabCert);
    const int previous = m_tabIndex;
    m_tabIndex = index;
    if (previous == cert && index != cert)
        TabCertHide();
    else if (index == cert && previous != cert)
        TabCertShow();
}

void ProductPanel::TabCertShow()
{
    TDBX* dbx = m_start.dataModule();
    if (dbx) {
        QString error;
        if (!dbx->openCert(&error))
            MessageBoxService::show(&m_start, error, m_start.windowTitle(), MessageBoxService::Ok,
                                    MessageBoxService::Critical);
    }
    refreshCertGrid();
    m_pdf->closePdfWindows();
}

void ProductPanel::TabCertHide()
{
    if (TDBX* dbx = m_start.dataModule())
        dbx->closeCert();
    refreshCertGrid();
    m_pdf->closePdfWindows();
}

void ProductPanel::refreshCertGrid()
{
    if (m_certModel)
        m_certModel->refresh();
}

void ProductPanel::showCurrentCertificate()
{
    TDBX* dbx = m_start.dataModule();
    if (!dbx || !dbx->Cert.isActive() || dbx->Cert.isEmpty()) {
        m_pdf->noCertificate();
        return;
    }
    const QString files = dbx->Cert.asString(QStringLiteral("Files"));
    m_pdf->showCertificate(m_start.dataDir() + QStringLiteral("\\CERT\\") + files +
                           QStringLiteral(".PDF"));
}

void ProductPanel::CertGrid1CellClick(const QModelIndex& cell)
{
    TDBX* dbx = m_start.dataModule();
    if (!cell.isValid() || !dbx || !dbx->Cert.isActive() || dbx->Cert.isEmpty())
        return;
    dbx->Cert.setRecNo(cell.row() + 1);
    showCurrentCertificate();
}

TFSearch* ProductPanel::BtnSearch1Click()
{
    auto* window = new TFSearch(&m_start, m_start.languageCode(),
                                [this](const QString& code) { return searchProduct(code); });
    window->show();
    return window;
}

bool ProductPanel::searchProduct(const QString& code)
{
    TDBX* dbx = m_start.dataModule();
    CatalogueTreeModel* model = m_start.treeModel();
    if (!dbx || !model)
        return false;
    const ProductSearch::Result found = m_search.find(*dbx, code);
    if (found.outcome == ProductSearch::Result::NotFound)
        return false;
    if (found.outcome == ProductSearch::Result::Stop)
        return true;
    m_start.selectSegment(found.segment);
    m_start.collapseAll();
    // Down the path: each node is looked for among its parent's children
    // and opened; a node that is not there ends the search quietly.
    QModelIndex parent;
    const int path[] = {found.group1, found.group2, found.group3, found.product};
    for (int depth = 0; depth < 4; ++depth) {
        QModelIndex match;
        for (int row = 0; row < model->rowCount(parent); ++row) {
            const QModelIndex child = model->index(row, 0, parent);
            if (model->nodeNumber(child) == path[depth]) {
                match = child;
                break;
            }
        }
        if (!match.isValid())
            return true;
        if (depth < 3)
            m_start.VST1->expand(match);
        parent = match;
    }
    m_start.focusNode(parent);
    m_start.VST1->scrollTo(parent);
    m_start.VST1->setFocus();
    return true;
}

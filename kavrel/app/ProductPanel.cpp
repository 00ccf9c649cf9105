#include "ProductPanel.h"

#include "CertGridModel.h"
#include "HelpDocument.h"
#include "PdfWindowManager.h"
#include "PictureSelector.h"
#include "ProductPage.h"
#include "TDBX.h"
#include "TImgView.h"
#include "TPageView.h"
#include "WinPath.h"

#include <QTableView>

ProductPanel::ProductPanel(QWidget* owner, const KavrelConfig::StartValues& start,
                           const Views& views)
    : QObject(owner), m_start(start), m_views(views),
      m_pdf(std::make_unique<PdfWindowManager>(owner, start.language))
{
    if (m_views.certificates)
        connect(m_views.certificates, &QTableView::clicked, this,
                &ProductPanel::CertGrid1CellClick);
}

ProductPanel::~ProductPanel()
{
    // The PDF window writes its placement as it goes.
    m_pdf->closePdfWindows();
}

void ProductPanel::setDataModule(TDBX* dbx)
{
    if (!dbx || m_dbx)
        return;
    m_dbx = dbx;
    m_pictures = std::make_unique<PictureSelector>(*dbx, m_start.pictureDir());
    m_page = std::make_unique<ProductPage>(*dbx);
    m_certModel = new CertGridModel(dbx->Cert, this);
    if (m_views.certificates)
        m_views.certificates->setModel(m_certModel);
}

void ProductPanel::setWorkbenchHooks(std::function<bool()> exists,
                                     std::function<void()> drawingsChanged)
{
    m_workbenchExists = std::move(exists);
    m_drawingsChanged = std::move(drawingsChanged);
}

void ProductPanel::focusChanged(int level, int node, int chapterNode)
{
    if (level < 0 || !m_dbx)
        return;
    pictureFor(node, level);
    const bool workbench = m_workbenchExists && m_workbenchExists();
    m_focused = FocusDetails::compute(*m_dbx, m_start.dataDir, level, node, chapterNode, workbench);
    m_pdf->followFocus(m_focused.catalogueDocument, m_focused.cataloguePage,
                       m_focused.technicalDocument, m_focused.technicalPage);
    certificatesFor(level);
    if (workbench && m_drawingsChanged)
        m_drawingsChanged();
    if (m_views.page)
        m_views.page->showPage(m_page->html(node), m_start.databaseDir);
}

void ProductPanel::pictureFor(int node, int level)
{
    if (!m_pictures || !m_pictures->moveToNode(node))
        return;
    const std::optional<QString> file = m_pictures->pictureChange();
    if (!file || !WinPath::exists(*file))
        return;
    if (m_views.picture && m_views.picture->loadFromFile(*file))
        m_views.picture->fitForLevel(level);
}

void ProductPanel::certificatesFor(int level)
{
    m_dbx->setCertCode(level == 3 ? m_focused.certificateCode : QString());
    refreshCertGrid();
    if (!m_certificatesShown)
        return;
    if (level == 3) {
        if (m_dbx->Cert.isActive())
            m_dbx->Cert.first();
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
    const QString manual = HelpDocument::path(m_start.dataDir, m_start.language);
    if (!manual.isEmpty())
        m_pdf->showHelp(manual);
}

void ProductPanel::setCertificatesShown(bool shown)
{
    if (shown == m_certificatesShown)
        return;
    m_certificatesShown = shown;
    if (shown)
        TabCertShow();
    else
        TabCertHide();
}

void ProductPanel::TabCertShow()
{
    if (m_dbx) {
        QString error;
        if (!m_dbx->openCert(&error))
            emit failed(error);
    }
    refreshCertGrid();
    m_pdf->closePdfWindows();
}

void ProductPanel::TabCertHide()
{
    if (m_dbx)
        m_dbx->closeCert();
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
    if (!m_dbx || !m_dbx->Cert.isActive() || m_dbx->Cert.isEmpty()) {
        m_pdf->noCertificate();
        return;
    }
    const QString files = m_dbx->Cert.asString(QStringLiteral("Files"));
    m_pdf->showCertificate(m_start.dataDir + QStringLiteral("\\CERT\\") + files +
                           QStringLiteral(".PDF"));
}

void ProductPanel::CertGrid1CellClick(const QModelIndex& cell)
{
    if (!cell.isValid() || !m_dbx || !m_dbx->Cert.isActive() || m_dbx->Cert.isEmpty())
        return;
    m_dbx->Cert.setRecNo(cell.row() + 1);
    showCurrentCertificate();
}

#pragma once

#include "FocusDetails.h"
#include "KavrelConfig.h"

#include <QModelIndex>
#include <QObject>
#include <functional>
#include <memory>

class CertGridModel;
class PdfWindowManager;
class PictureSelector;
class ProductPage;
class QTableView;
class QWidget;
class TDBX;
class TImgView;
class TPageView;

// The right-hand side of the main window and the windows it opens: on every
// focus change the picture, the product page, the PDF pages, the
// certificate filter and the workbench drawings; the buttons "PDF
// Catalogue", "Technical Data PDF" and "Help"; the certificates tab. It
// knows only the three views it fills and the configuration; the main
// window feeds it the focus and the tab's visibility, and shows the
// failures it reports.
class ProductPanel : public QObject
{
    Q_OBJECT
public:
    struct Views
    {
        TImgView* picture = nullptr;
        TPageView* page = nullptr;
        QTableView* certificates = nullptr;
    };

    // `owner` parents the PDF window.
    ProductPanel(QWidget* owner, const KavrelConfig::StartValues& start, const Views& views);
    ~ProductPanel() override;

    // The data module, once it exists (its views are used from then on).
    void setDataModule(TDBX* dbx);

    // The values of the focused node (replaced at every focus change).
    const FocusDetails& focused() const { return m_focused; }
    PdfWindowManager& pdf() { return *m_pdf; }
    CertGridModel* certModel() const { return m_certModel; }

    // The workbench plugs in here: whether its window exists (drawings are
    // then looked up at each focus change) and what to do after they were.
    void setWorkbenchHooks(std::function<bool()> exists, std::function<void()> drawingsChanged);

signals:
    // Something the user asked for failed (a table that cannot be opened).
    void failed(const QString& message);

public slots:
    // The focused node: its tree level (-1 for none), its node number and
    // the number of its level-0 ancestor (itself at level 0).
    void focusChanged(int level, int node, int chapterNode);
    void BtnPDFClick();
    void BtnDataClick();
    void BtnHelp1Click();
    // The certificate tab was shown or hidden.
    void setCertificatesShown(bool shown);
    void CertGrid1CellClick(const QModelIndex& cell);

private:
    void pictureFor(int node, int level);
    void certificatesFor(int level);
    void TabCertShow();
    void TabCertHide();
    void showCurrentCertificate();
    void refreshCertGrid();

    KavrelConfig::StartValues m_start;
    Views m_views;
    TDBX* m_dbx = nullptr;
    std::unique_ptr<PdfWindowManager> m_pdf;
    std::unique_ptr<PictureSelector> m_pictures;
    std::unique_ptr<ProductPage> m_page;
    CertGridModel* m_certModel = nullptr;
    FocusDetails m_focused;
    bool m_certificatesShown = false;
    std::function<bool()> m_workbenchExists;
    std::function<void()> m_drawingsChanged;
};

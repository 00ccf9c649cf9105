#pragma once

#include "FocusDetails.h"
#include "ProductSearch.h"

#include <QModelIndex>
#include <QObject>
#include <functional>
#include <memory>

class CertGridModel;
class PdfWindowManager;
class PictureSelector;
class ProductPage;
class TFStart;
class TFSearch;

// The right-hand side of the main window and the windows it opens: on every
// focus change the picture, the product page, the PDF pages, the
// certificate filter and the workbench drawings; the buttons "PDF
// Catalogue", "Technical Data PDF", "Help" and "Search"; the certificates
// tab. Created by the main window once its controls exist.
class ProductPanel : public QObject
{
    Q_OBJECT
public:
    explicit ProductPanel(TFStart& start);
    ~ProductPanel() override;

    // Called once the data module exists (its views are used from then on).
    void dataModuleCreated();

    // The values of the focused node (replaced at every focus change).
    const FocusDetails& focused() const { return m_focused; }
    PdfWindowManager& pdf() { return *m_pdf; }
    CertGridModel* certModel() const { return m_certModel; }

    // The workbench plugs in here: whether its window exists (drawings are
    // then looked up at each focus change) and what to do after they were.
    void setWorkbenchHooks(std::function<bool()> exists, std::function<void()> drawingsChanged);

    // The main window's search routine: true when the search window may
    // close (found, or found but not reachable), false when not found.
    bool searchProduct(const QString& code);
    // Opens a new search window (each click another one).
    TFSearch* BtnSearch1Click();

public slots:
    void focusChanged(const QModelIndex& node, int level);
    void BtnPDFClick();
    void BtnDataClick();
    void BtnHelp1Click();
    void BtnScaleClick();
    void BtnUnscaleClick();
    void CertGrid1CellClick(const QModelIndex& cell);

private:
    void pictureFor(int node, int level);
    void certificatesFor(int level);
    void tabChanged(int index);
    void TabCertShow();
    void TabCertHide();
    void showCurrentCertificate();
    bool certTabShown() const;
    void refreshCertGrid();

    TFStart& m_start;
    std::unique_ptr<PdfWindowManager> m_pdf;
    std::unique_ptr<PictureSelector> m_pictures;
    std::unique_ptr<ProductPage> m_page;
    CertGridModel* m_certModel = nullptr;
    FocusDetails m_focused;
    ProductSearch m_search;
    int m_tabIndex = 0;
    std::function<bool()> m_workbenchExists;
    std::function<void()> m_drawingsChanged;
};

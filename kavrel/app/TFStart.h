#pragma once

// The main catalogue window. It takes the configuration read once at start
// (KavrelMain checks it) and offers the values to every other window; it owns
// the data module, the catalogue tree and the controls of the right-hand
// area, whose behaviour the product panel provides. It is the one place that
// shows what the catalogue's model code reports as failed.

#include "KavrelConfig.h"
#include "ProductSearch.h"
#include "TImgView.h"
#include "TPageView.h"

#include <QModelIndex>
#include <QPersistentModelIndex>
#include <QWidget>
#include <memory>

class CatalogueTreeModel;
class QComboBox;
class QLabel;
class QPushButton;
class QSplitter;
class QTabWidget;
class QTableView;
class QToolButton;
class QTreeView;
class ProductPanel;
class TDBX;
class TFSearch;
class WorkbenchWindows;

class TFStart : public QWidget
{
    Q_OBJECT
public:
    // Builds the window for the configuration read at start (FormCreate).
    explicit TFStart(const KavrelConfig::StartValues& start, QWidget* parent = nullptr);
    ~TFStart() override;

    // Creates the data module, opens the catalogue (a table that cannot be
    // opened is reported and the program goes on), runs the segment change
    // and focuses the first group. Returns false when a table failed, and
    // opens nothing for an incomplete configuration.
    bool createDataModule();
    TDBX* dataModule() const { return m_dbx.get(); }
    // Picture, product page, PDF documents and certificates.
    ProductPanel* productPanel() const { return m_panel; }

    // ---- Values offered to the other windows.
    const QString& languageCode() const { return m_start.language; }
    const QString& dataDir() const { return m_start.dataDir; }
    const QString& databaseDir() const { return m_start.databaseDir; }
    const QString& pictureDir() const { return m_pictureDir; } // dataDir + "\BMP"
    const QString& configPath() const { return m_start.configPath; }
    const KavrelConfig::StartValues& startValues() const { return m_start; }
    bool workbenchShown() const { return m_workbenchShown; }
    // The workbench windows, once "Autocad support" was first used.
    WorkbenchWindows* workbench() const { return m_workbench.get(); }
    void setWorkbenchShown(bool shown) { m_workbenchShown = shown; }

    // ---- Segments (colours: SegmentColours).
    int segment() const; // SelBox's current item
    // Selects the item and runs the segment change (as the search does).
    void selectSegment(int segment);

    // ---- Tree.
    CatalogueTreeModel* treeModel() const { return m_model; }
    // Positions K1T1..K1T4 for a node; leaves K1T4 on a focused product.
    void positionViews(const QModelIndex& node);
    QModelIndex focusedNode() const { return QModelIndex(m_focused); }
    int focusedLevel() const { return m_focusedLevel; } // -1 when none
    // Focuses and selects a node (runs the focus change).
    void focusNode(const QModelIndex& node);
    // Collapses every node.
    void collapseAll();

    // ---- Controls, by their names.
    QToolButton* BtnSearch1 = nullptr;
    QToolButton* BtnHelp1 = nullptr;
    QComboBox* SelBox = nullptr;
    QLabel* Banner = nullptr;
    QTreeView* VST1 = nullptr;
    TImgView* ImgView1 = nullptr;
    QToolButton* BtnScale = nullptr;
    QToolButton* BtnUnscale = nullptr;
    QPushButton* BtnPDF = nullptr;
    QPushButton* BtnData = nullptr;
    QPushButton* BtnAcad = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QWidget* TabGeneral = nullptr;
    TPageView* htm1 = nullptr;
    QWidget* TabCert = nullptr;
    QTableView* CertGrid1 = nullptr;
    QSplitter* Splitter1 = nullptr; // left panel | right area
    QSplitter* Splitter2 = nullptr; // picture | tabs
    QWidget* LeftPanel = nullptr;
    QWidget* RightArea = nullptr;
    QWidget* TopBar = nullptr;

signals:
    // The focused node changed and the views stand on it (K1T4 on the
    // product at level 3). `level` is -1 when nothing is focused.
    void nodeFocused(const QModelIndex& node, int level);
    // "Autocad support": the workbench windows plug in here.
    void acadRequested();
    // The tree painted for the first time (start-up timing).
    void treeFirstPainted();

public slots:
    void SelBoxChange();
    void BtnAcadClick();
    // The search routine: finds the product with catalogue code `code`,
    // switches the segment, opens the path to it and focuses it. True when
    // the search window may close (found, or found but not reachable),
    // false when the code is not in the catalogue.
    bool findProduct(const QString& code);
    // Opens a new search window (each click another one).
    TFSearch* BtnSearch1Click();
    // Shows a failure that the catalogue's model code reported.
    void showFailure(const QString& message);
    // Finds and focuses the product with `code` (the workbench's double
    // click); says so in the user's language when there is none.
    bool findProductByCode(const QString& code);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLayout();
    void buildTopBar();
    void buildLeftPanel();
    void buildRightArea();
    void applyCaptions();
    void connectPanel();
    void applyColours(int segment);
    void onCurrentChanged(const QModelIndex& current);
    void onExpanded(const QModelIndex& index);
    void onCollapsed(const QModelIndex& index);

    KavrelConfig::StartValues m_start;
    QString m_pictureDir;
    bool m_workbenchShown = false;
    bool m_firstPaintSeen = false;
    std::unique_ptr<TDBX> m_dbx;
    std::unique_ptr<WorkbenchWindows> m_workbench;
    CatalogueTreeModel* m_model = nullptr;
    ProductPanel* m_panel = nullptr;
    ProductSearch m_search;
    QPersistentModelIndex m_focused; // survives collapses of other nodes
    int m_focusedLevel = -1;
};

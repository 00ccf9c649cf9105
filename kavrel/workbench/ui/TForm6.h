#pragma once

// The workbench window: the BOM list of the current project, the item grid
// of the current BOM, the commands on BOMs and items, the totals, and the
// menus. It shows the model's state and hands the user's commands to it;
// commands that need the CAD, the summary view, the export and printing
// are hooks that the CAD connection and output fill.

#include "WorkbenchHost.h"
#include "WorkbenchModel.h"
#include "WorkbenchTexts.h"

#include <QMainWindow>
#include <functional>
#include <memory>

class BomListModel;
class BomOutputCommands;
class ItemGridModel;
class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QSpinBox;
class QSplitter;
class QTableView;
class QToolButton;
class TFormProjekt;
class TNastavitve;

class TForm6 : public QMainWindow
{
    Q_OBJECT
public:
    // FormCreate: opens the tables (a failure is reported and the window
    // works without them), takes the settings window's scales and options,
    // sets the texts, reads the placement and creates the projects window.
    TForm6(QWidget* owner, const WorkbenchHost& host, TNastavitve* settings);
    ~TForm6() override;

    WorkbenchModel& model() { return *m_model; }
    const WorkbenchTexts& texts() const { return m_texts; }
    const WorkbenchHost& host() const { return m_host; }
    TFormProjekt* projects() const { return m_projects; }
    ItemGridModel* itemModel() const { return m_itemModel; }
    BomListModel* bomModel() const { return m_bomModel; }
    // The summary, export and print commands behind their hooks.
    BomOutputCommands* output() const { return m_output; }
    // True when the configuration held all five placement values.
    bool placementStored() const { return m_placementStored; }

    // What the CAD connection, insertion, synchronisation and output
    // provide; unset hooks leave their commands without effect.
    struct Hooks
    {
        std::function<bool()> hasApplication;   // the CAD is attached
        std::function<void(bool down)> connect; // SpeedButton1
        std::function<void()> synchronize;      // ScanBtn, MnSyncBOM
        std::function<void(bool dimension)> insert; // BtnSYM / BtnDIM and their menus
        std::function<void(bool on)> summary;   // BtnSUM
        std::function<void()> exportExcel;      // TntBitBtn3, MnBOMExcel
        std::function<void()> print;            // Tiskaj, MnBOMPrint
        std::function<void()> openDrawing;      // double-click in the BOM list
        // The first step of the close routine: false when the user chose to
        // go back to the CAD (the window then stays open).
        std::function<bool()> closeCheck;
    };
    Hooks hooks;

    // Where an insertion takes its product from: the catalogue's focus, or
    // the item selected in the grid.
    enum class Source
    {
        Catalogue,
        BomItem
    };
    Source source() const { return m_source; }
    static const QColor BomItemBackground;

    // The close routine: the close check, then the tables and the placement
    // are saved. False when the window must stay open.
    bool closeRoutine();
    // "Create Bill of Material (BOM)" switched: the item grid, the print
    // and Excel buttons, and the height (360 or 212).
    void setBomGridShown(bool shown);
    // Columns and totals panel for the summary and price toggles.
    void applyGridLayout();
    void updateCaption();
    void disableInsertCommands();
    void refreshTotals();

    // ---- Controls, by their names.
    QWidget* Panel3 = nullptr;
    QSplitter* Splitter1 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* GProjekti = nullptr;
    QToolButton* GNewBOM = nullptr;
    QToolButton* GDelBOM = nullptr;
    QTableView* DBRisbaGrid1 = nullptr;
    QToolButton* ScanBtn = nullptr;
    QToolButton* BtnDelItem = nullptr;
    QToolButton* GBtnOrder = nullptr;
    QSpinBox* SpinEdit2 = nullptr;
    QFrame* RingSym = nullptr;
    QFrame* RingDim = nullptr;
    QToolButton* BtnSYM = nullptr;
    QToolButton* BtnSYM3 = nullptr;
    QToolButton* BtnDIM = nullptr;
    QToolButton* BtnLine = nullptr;
    QComboBox* CBBlock = nullptr;
    QLineEdit* Block1 = nullptr;
    QWidget* TotalsPanel = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* TotVred = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* SumProj = nullptr;
    QToolButton* BtnSUM = nullptr;
    QToolButton* BtnPrice = nullptr;
    QToolButton* TntBitBtn4 = nullptr;
    QToolButton* TntBitBtn3 = nullptr;
    QToolButton* Tiskaj = nullptr;
    QTableView* DBGrid1 = nullptr;

    QMenu* MnProjects = nullptr;
    QAction* MnProjectShow = nullptr;
    QMenu* MnBOM = nullptr;
    QAction* MnAddBOM = nullptr;
    QAction* MnDelBOM = nullptr;
    QAction* MnSyncBOM = nullptr;
    QMenu* MnExBOM = nullptr;
    QAction* MnBOMPrint = nullptr;
    QAction* MnBOMExcel = nullptr;
    QMenu* MnItems1 = nullptr;
    QAction* MnAdditem = nullptr;
    QAction* MnDelItem = nullptr;
    QMenu* MnAutocad1 = nullptr;
    QAction* MnConnected1 = nullptr;
    QAction* MnAddsymbol1 = nullptr;
    QAction* MnAdddrawing1 = nullptr;
    QMenu* MnSettings1 = nullptr;
    QAction* MnSetShow1 = nullptr;

public slots:
    void SpeedButton1Click();
    void GProjektiClick();
    void GNewBOMClick();
    void GDelBOMClick();
    void ScanBtnClick();
    void BtnDelItemClick();
    void GBtnOrderClick();
    void BtnSYMClick();
    void BtnDIMClick();
    void BtnSUMClick();
    void BtnPriceClick();
    void TntBitBtn4Click();
    void TntBitBtn3Click();
    void TiskajClick();
    // The catalogue's focus changed: insertions take the catalogue product.
    void catalogueFocusChanged();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildPanel();
    QWidget* buildBomButtons();
    QWidget* buildItemButtons();
    QWidget* buildInsertButtons();
    QWidget* buildTotalsAndToggles();
    void buildItemGrid();
    void buildMenus();
    void connectModel();
    void applyTexts();
    void applyColumnWidths();
    void readPlacement();
    void writePlacement();
    void setSource(Source source);
    void followItemCursor();
    void followBomCursor();
    void itemsChanged();
    // Runs a command; a failure of the tables is reported, never lost.
    void run(const std::function<void()>& command);

    WorkbenchHost m_host;
    TNastavitve* m_settings;
    std::unique_ptr<WorkbenchModel> m_model;
    WorkbenchTexts m_texts;
    ItemGridModel* m_itemModel = nullptr;
    BomListModel* m_bomModel = nullptr;
    TFormProjekt* m_projects = nullptr;
    BomOutputCommands* m_output = nullptr;
    Source m_source = Source::Catalogue;
    bool m_placementStored = false;
    bool m_summary = false;
    bool m_following = false;
};

#pragma once

#include "WorkbenchHost.h"
#include "WorkbenchSettings.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class TForm6;

// The settings window of the workbench. The options live in its controls,
// which the workbench reads when it needs them; the window loads them from
// the configuration when it is created and saves them when it is closed.
class TNastavitve : public QDialog
{
    Q_OBJECT
public:
    TNastavitve(QWidget* owner, const WorkbenchHost& host);

    // Load and Save of the configuration keys.
    void load();
    bool save();
    WorkbenchSettings values() const;

    // The workbench that the scale factors and ConnBOM act on; while there
    // is none only the fields change.
    void setWorkbench(TForm6* workbench);
    // The factors of the fields as they stand (1 where they do not give one).
    double symbolFactor() const;
    double dimensionFactor() const;

    // What the CAD connection provides: whether it holds an application
    // object, measuring the symbol scale, installing the menu file.
    struct CadHooks
    {
        std::function<bool()> hasApplication;
        std::function<void(TNastavitve&)> measureSymbolScale;
        std::function<void(const QString& menuFile)> installMenu;
    };
    CadHooks cad;

    QTabWidget* Blocks = nullptr;
    QWidget* SheetSymDim = nullptr;
    QLabel* MeriloSym = nullptr;
    QLineEdit* ScaleSym1 = nullptr;
    QLineEdit* ScaleSym2 = nullptr;
    QPushButton* MeriloSymNastavi = nullptr;
    QLabel* MeriloDim = nullptr;
    QLineEdit* ScaleDim1 = nullptr;
    QLineEdit* ScaleDim2 = nullptr;
    QWidget* SheetAttrib = nullptr;
    QLabel* ShowAtt = nullptr;
    QCheckBox* CBManufacturer = nullptr;
    QCheckBox* CBItemNo = nullptr;
    QCheckBox* CBItem = nullptr;
    QCheckBox* CBBlockNo = nullptr;
    QLabel* NumBlock = nullptr;
    QCheckBox* BlockNumber = nullptr;
    QLabel* Connection = nullptr;
    QCheckBox* ConnBOM = nullptr;
    QCheckBox* Connlive = nullptr;
    QCheckBox* ConnSyncStart = nullptr;
    QCheckBox* ConnSyncEnd = nullptr;
    QWidget* Customer = nullptr;
    QLabel* Labels[5] = {};     // Label4 .. Label8
    QLineEdit* NxE1[5] = {};    // N1E1 .. N5E1
    QWidget* SheetTable = nullptr;
    QCheckBox* ProjectView1 = nullptr;
    QPushButton* BNovicenik = nullptr;
    QWidget* SheetMenu = nullptr;
    QPushButton* TntButton3 = nullptr;

public slots:
    void ScaleSym1Change();
    void ScaleDim1Change();
    void ConnBOMClick();
    void ProjectView1Click();
    void MeriloSymNastaviClick();
    void SheetMenuShow();
    void TntButton3Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildScales();
    void buildAttributes();
    void buildCustomer();
    void buildTableAndMenu();
    void applyCaptions();
    void applyConnBomEnabling();
    QCheckBox* option(WorkbenchSettings::Option option) const;
    void reportScaleError();

    WorkbenchHost m_host;
    TForm6* m_workbench = nullptr;
};

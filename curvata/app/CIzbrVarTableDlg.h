#pragma once

#include "ConstLineTableTarget.h"
#include "CurvataFileDialog.h"
#include "PointTableModel.h"
#include "TablePoint.h"

#include <QDialog>
#include <QRect>
#include <vector>

class AppSettings;
class CharacteristicType;
class CRuzozuvovView;
class Fuse;
class QPushButton;
class QTableView;

// "Characteristic table", the table of points: a grid over PointTableModel
// with the commands Add, Remove, Clear, To Graph, To File and Close. A
// modeless top-level window that deletes itself when closed. It gives the
// chart its points through pointsExported; the Const Lines window adds
// constant line values through ConstLineTableTarget.
class CIzbrVarTableDlg : public QDialog, public ConstLineTableTarget
{
    Q_OBJECT
public:
    static constexpr const char* SectionName = "CIzbrVarTableDlg";
    static const QString FileFilter;

    CIzbrVarTableDlg(const std::vector<const Fuse*>& fuses, const CharacteristicType* type,
                     bool scientific, const AppSettings* settings, QWidget* parent = nullptr);
    ~CIzbrVarTableDlg() override;

    // Opens the table for the view ("Draw table") and keeps the two in step:
    // the view's selection, characteristic type and number format reach the
    // table, the table's points reach the chart.
    static CIzbrVarTableDlg* OpenFor(CRuzozuvovView& view, const AppSettings* settings);

    PointTableModel& Model() { return m_model; }
    QTableView* Grid() const { return m_grid; }
    QPushButton* Button(const char* name) const;
    void SetFileChooser(CurvataFileDialog::Chooser chooser) { m_choose = std::move(chooser); }

    // --- from the view ---
    void SetFuses(const std::vector<const Fuse*>& fuses);
    // A type with another name clears the table; the title follows the type.
    void SetCharacteristic(const CharacteristicType* type);
    void SetScientific(bool on);
    void addConstLineValue(float value, ConstLineKind kind) override;

    // The grid's selection in grid coordinates (row 0 is the header row);
    // invalid when nothing is selected.
    QRect Selection() const;

public slots:
    void OnAdd();
    void OnRemove();
    void OnClear();
    void OnToGraph();
    void OnToFile();
    void OnCopy();
    void OnPaste();
    void OnClearSelection();

signals:
    // The points the chart shows for the table (empty: none).
    void pointsExported(const TablePointList& points);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPushButton* AddButton(const QString& text, const char* name);
    void Export(const TablePointList& points);
    void RestoreInitialSize();

    PointTableModel m_model;
    QTableView* m_grid = nullptr;
    CurvataFileDialog::Chooser m_choose;
    bool m_exported = false; // the chart shows points of this table
};

#pragma once

// The summary view of the current BOM: its items summed per product code
// into TNarUN's SumKol and SumVred, with TNarUN filtered to the codes whose
// SumKol is above 0. While the view is on, the sums follow every change of
// the items, of the current BOM and of the project.
//
// Which items count, with k the current BOM's key:
//   "S": symbols placed in k that are not erased, and k's list items;
//   "D": the same for dimension drawings;
//   "N", "T": the list items of k.
// A traversal of one code's items that runs over the loop guard is reported
// through the model's overrun signal and sums what it reached.
//
// Display-free; failures of the table engine reach the caller as TableError.

#include <QHash>
#include <QObject>
#include <QString>

class WorkbenchModel;

class BomSummary : public QObject
{
    Q_OBJECT
public:
    // Guard numbers of the per-code traversals.
    enum GuardLine
    {
        SymbolLine = 3031,
        DimensionLine = 3051,
        ListLine = 3073,
    };

    struct Sums
    {
        double kol = 0.0;  // whole numbers
        double vred = 0.0;
    };

    explicit BomSummary(WorkbenchModel& model, QObject* parent = nullptr);
    ~BomSummary() override;

    // On: TNarUN is saved, every code of the project's items is made sure
    // of a TNarUN row, the sums are computed and TNarUN is filtered to the
    // codes of the BOM. Off: the sums read 0 and TNarUN is unfiltered.
    void setActive(bool on);
    bool isActive() const { return m_active; }

    // The sums of every code with items counted in the BOM `k` of `type`
    // in the current project's items.
    QHash<QString, Sums> compute(const QString& type, int k);

    // The summary's value total (SumKoly over the filtered TNarUN).
    double total() const;

signals:
    // The sums were recomputed: the rows of TNarUN may have changed.
    void changed();

private:
    void recompute();
    void registerCodes();
    void report(const QString& message);

    WorkbenchModel& m_model;
    QHash<QString, Sums> m_sums;
    bool m_active = false;
    bool m_recomputing = false;
};

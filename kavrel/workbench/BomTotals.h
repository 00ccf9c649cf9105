#pragma once

#include <QLocale>
#include <QString>

class WorkbenchModel;

// The two totals beside the BOM list, as the window, the printed BOM and
// the export show them: the value of the current BOM's item view (TotVred)
// and of the whole project's counted items (SumProj).
struct BomTotals
{
    double bom = 0.0;
    double project = 0.0;

    static BomTotals of(const WorkbenchModel& model);

    // TotVred's display format "###,###,##0.00": grouped thousands and two
    // decimals, with the separators of `locale`.
    static QString formatBom(double value, const QLocale& locale = QLocale());
    // SumProj: the same grouping and two decimals, from the value rounded to
    // 12 significant digits, so that the residue of summing thousands of
    // binary fractions never shows as a stray cent.
    static QString formatProject(double value, const QLocale& locale = QLocale());
};

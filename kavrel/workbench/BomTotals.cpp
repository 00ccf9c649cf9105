#include "BomTotals.h"

#include "WorkbenchModel.h"

#include <cmath>

namespace {

QString twoDecimals(double value, QLocale locale)
{
    locale.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    // A value that rounds to zero cents is shown as 0.00, never as -0.00.
    if (!std::isfinite(value) || std::abs(value) < 0.005)
        value = 0.0;
    return locale.toString(value, 'f', 2);
}

} // namespace

BomTotals BomTotals::of(const WorkbenchModel& model)
{
    return {model.bomTotal(), model.projectTotal()};
}

QString BomTotals::formatBom(double value, const QLocale& locale)
{
    return twoDecimals(value, locale);
}

QString BomTotals::formatProject(double value, const QLocale& locale)
{
    return twoDecimals(QString::number(value, 'g', 12).toDouble(), locale);
}

#include "ChartProjectView.h"

#include "CCharacteristicChart.h"
#include "PointTableExport.h"
#include "PointTableModel.h"

ChartProjectView::ChartProjectView(CCharacteristicChart& chart) : m_chart(chart) {}

ChartProjectView::~ChartProjectView() = default;

const std::vector<const Fuse*>& ChartProjectView::selectedFuses() const
{
    return m_chart.Fuses();
}

void ChartProjectView::setFuses(const std::vector<const Fuse*>& fuses)
{
    m_chart.SetFuses(fuses);
    if (!m_table)
        return;
    m_table->setFuses(fuses);
    if (!m_chart.TablePoints().isEmpty())
        exportTablePoints();
}

const CharacteristicType* ChartProjectView::characteristic() const
{
    return m_chart.CurrentCharacteristic();
}

void ChartProjectView::setCharacteristic(const CharacteristicType* type)
{
    m_chart.SetCharacteristic(type);
    if (!type)
        closeTable();
    else if (m_table && m_table->setCharacteristicType(type))
        m_chart.TablePoints().clear();
}

const ConstLineList& ChartProjectView::constLines(ConstLineKind kind) const
{
    return kind == ConstLineKind::X ? m_chart.XLines() : m_chart.YLines();
}

void ChartProjectView::removeConstLines(ConstLineKind kind)
{
    (kind == ConstLineKind::X ? m_chart.XLines() : m_chart.YLines()).clear();
}

void ChartProjectView::appendConstLine(ConstLineKind kind, const QString& name, float value)
{
    // Constant lines continue the colour cycle after the curves.
    const int fuses = int(m_chart.Fuses().size());
    if (kind == ConstLineKind::X) {
        m_chart.XLines().append(ConstLine::xLine(name, value, float(m_chart.YMin()),
                                                 float(m_chart.YMax()),
                                                 m_chart.PaletteColour(m_chart.XLines().size() + fuses)));
    } else {
        m_chart.YLines().append(ConstLine::yLine(name, value, float(m_chart.XMin()),
                                                 float(m_chart.XMax()),
                                                 m_chart.PaletteColour(m_chart.YLines().size() + fuses)));
    }
}

void ChartProjectView::fitConstLinesToRange()
{
    m_chart.FitConstLinesToRange();
}

void ChartProjectView::closeTable()
{
    if (!m_table)
        return;
    m_table.reset();
    m_chart.TablePoints().clear();
}

PointTableModel* ChartProjectView::openTable()
{
    if (m_table)
        return m_table.get();
    if (m_chart.Fuses().empty())
        return nullptr;
    m_table = std::make_unique<PointTableModel>();
    m_table->open(m_chart.Fuses(), m_chart.CurrentCharacteristic(), m_chart.ScientificScale());
    return m_table.get();
}

void ChartProjectView::exportTablePoints()
{
    m_chart.TablePoints() = m_table ? PointTableExport::points(*m_table) : TablePointList();
}

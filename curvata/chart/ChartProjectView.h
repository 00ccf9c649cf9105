#pragma once

#include "ProjectView.h"

#include <memory>

class CCharacteristicChart;

// A project's view over a chart without a window: what the render tool,
// benchmarks and tests open projects into. The table of points, when open,
// is a model this object owns.
class ChartProjectView : public ProjectView
{
public:
    explicit ChartProjectView(CCharacteristicChart& chart);
    ~ChartProjectView() override;

    CCharacteristicChart& chart() const { return m_chart; }

    const std::vector<const Fuse*>& selectedFuses() const override;
    void setFuses(const std::vector<const Fuse*>& fuses) override;
    const CharacteristicType* characteristic() const override;
    void setCharacteristic(const CharacteristicType* type) override;
    const ConstLineList& constLines(ConstLineKind kind) const override;
    void removeConstLines(ConstLineKind kind) override;
    void appendConstLine(ConstLineKind kind, const QString& name, float value) override;
    void fitConstLinesToRange() override;
    PointTableModel* table() const override { return m_table.get(); }
    void closeTable() override;
    PointTableModel* openTable() override;

    // "To Graph": the chart's table points become those of the table.
    void exportTablePoints();

private:
    CCharacteristicChart& m_chart;
    std::unique_ptr<PointTableModel> m_table;
};

#pragma once

#include "ChartProjectView.h"

class AppSettings;
class CIzbrVarTableDlg;
class CRuzozuvovView;

// The chart view window as a project file sees it: the selection, the
// constant lines and the table of points window. Changes go through the
// view's own operations, so that the open windows follow them.
class CProjectViewAdapter : public ChartProjectView
{
public:
    CProjectViewAdapter(CRuzozuvovView& view, const AppSettings* settings);

    void setFuses(const std::vector<const Fuse*>& fuses) override;
    void setCharacteristic(const CharacteristicType* type) override;
    void fitConstLinesToRange() override;
    PointTableModel* table() const override;
    void closeTable() override;
    PointTableModel* openTable() override;

private:
    CIzbrVarTableDlg* TableWindow() const;

    CRuzozuvovView& m_view;
    const AppSettings* m_settings;
};

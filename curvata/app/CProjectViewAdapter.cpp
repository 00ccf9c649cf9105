#include "CProjectViewAdapter.h"

#include "CIzbrVarTableDlg.h"
#include "CRuzozuvovView.h"

CProjectViewAdapter::CProjectViewAdapter(CRuzozuvovView& view, const AppSettings* settings)
    : ChartProjectView(view.Chart()), m_view(view), m_settings(settings)
{
}

CIzbrVarTableDlg* CProjectViewAdapter::TableWindow() const
{
    return qobject_cast<CIzbrVarTableDlg*>(m_view.TableWindow());
}

void CProjectViewAdapter::setFuses(const std::vector<const Fuse*>& fuses)
{
    m_view.SetFuses(fuses);
}

void CProjectViewAdapter::setCharacteristic(const CharacteristicType* type)
{
    m_view.SetCharacteristic(type, true);
}

void CProjectViewAdapter::fitConstLinesToRange()
{
    m_view.FitConstLinesToRange();
}

PointTableModel* CProjectViewAdapter::table() const
{
    CIzbrVarTableDlg* window = TableWindow();
    return window ? &window->Model() : nullptr;
}

void CProjectViewAdapter::closeTable()
{
    if (CIzbrVarTableDlg* window = TableWindow()) {
        window->close(); // deletes itself later; the view forgets it now
        m_view.SetTableWindow(nullptr);
    }
}

PointTableModel* CProjectViewAdapter::openTable()
{
    if (PointTableModel* open = table())
        return open;
    if (m_view.Fuses().empty())
        return nullptr;
    return &CIzbrVarTableDlg::OpenFor(m_view, m_settings)->Model();
}

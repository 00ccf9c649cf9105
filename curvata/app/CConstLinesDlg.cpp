#include "CConstLinesDlg.h"

#include "CAddConstLineDlg.h"
#include "CConstLineList.h"
#include "CRuzozuvovView.h"
#include "MessageBoxService.h"
#include "WindowPlacementRestorer.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CConstLinesDlg::CConstLinesDlg(CRuzozuvovView& view, const AppSettings* settings)
    : QDialog(&view), m_view(view), m_lines(view.XLines(), view.YLines())
{
    setObjectName(QString::fromLatin1(SectionName));
    setWindowTitle(QStringLiteral("Const Lines"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setSizeGripEnabled(true);

    m_xList = new CConstLineList(this);
    m_xList->setObjectName(QStringLiteral("xLines"));
    m_yList = new CConstLineList(this);
    m_yList->setObjectName(QStringLiteral("yLines"));
    connect(m_xList, &CConstLineList::valueEdited, this,
            [this](int row, const QString& text) { OnValueEdited(ConstLineKind::X, row, text); });
    connect(m_yList, &CConstLineList::valueEdited, this,
            [this](int row, const QString& text) { OnValueEdited(ConstLineKind::Y, row, text); });

    QPushButton* removeX = AddButton(QStringLiteral("Remove"), "removeX");
    QPushButton* addX = AddButton(QStringLiteral("Add to table"), "addToTableX");
    QPushButton* removeY = AddButton(QStringLiteral("Remove"), "removeY");
    QPushButton* addY = AddButton(QStringLiteral("Add to table"), "addToTableY");
    QPushButton* create = AddButton(QStringLiteral("Create"), "create");
    QPushButton* apply = AddButton(QStringLiteral("Apply"), "apply");
    QPushButton* close = AddButton(QStringLiteral("Close"), "close");
    connect(removeX, &QPushButton::clicked, this, [this] { OnRemove(ConstLineKind::X); });
    connect(addX, &QPushButton::clicked, this, [this] { OnAddToTable(ConstLineKind::X); });
    connect(removeY, &QPushButton::clicked, this, [this] { OnRemove(ConstLineKind::Y); });
    connect(addY, &QPushButton::clicked, this, [this] { OnAddToTable(ConstLineKind::Y); });
    connect(create, &QPushButton::clicked, this, &CConstLinesDlg::OnCreate);
    connect(apply, &QPushButton::clicked, this, &CConstLinesDlg::OnApply);
    connect(close, &QPushButton::clicked, this, &QDialog::close);

    // Each list takes half the extra height and all the extra width; its
    // buttons follow its right edge.
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("X lines"), this), 0, 0);
    grid->addWidget(m_xList, 1, 0);
    auto* xButtons = new QVBoxLayout;
    xButtons->addWidget(removeX);
    xButtons->addWidget(addX);
    xButtons->addStretch(1);
    grid->addLayout(xButtons, 1, 1);
    grid->addWidget(create, 2, 0, 1, 2, Qt::AlignHCenter);
    grid->addWidget(new QLabel(QStringLiteral("Y lines"), this), 3, 0);
    grid->addWidget(m_yList, 4, 0);
    auto* yButtons = new QVBoxLayout;
    yButtons->addWidget(removeY);
    yButtons->addWidget(addY);
    yButtons->addStretch(1);
    grid->addLayout(yButtons, 4, 1);
    grid->setRowStretch(1, 1);
    grid->setRowStretch(4, 1);
    grid->setColumnStretch(0, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(apply);
    bottom->addWidget(close);
    bottom->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addLayout(bottom);
    resize(420, 440);
    WindowPlacementRestorer::restore(*this, settings, QString::fromLatin1(SectionName));
    RefreshLists();

    connect(&view, &CRuzozuvovView::constLinesFitted, this, &CConstLinesDlg::RefreshLists);
    connect(&view, &CRuzozuvovView::constLineMoved, this,
            [this](bool xLine, const QString& name, float value) {
                OnLineMoved(xLine ? ConstLineKind::X : ConstLineKind::Y, name, value);
            });
}

CConstLinesDlg* CConstLinesDlg::Open(CRuzozuvovView& view, const AppSettings* settings)
{
    if (view.ConstLinesWindow())
        return nullptr;
    auto* window = new CConstLinesDlg(view, settings);
    view.SetConstLinesWindow(window);
    window->show();
    return window;
}

QPushButton* CConstLinesDlg::AddButton(const QString& text, const char* name)
{
    auto* button = new QPushButton(text, this);
    button->setObjectName(QLatin1String(name));
    // Enter belongs to the value editor, never to a button of the window.
    button->setAutoDefault(false);
    return button;
}

QPushButton* CConstLinesDlg::Button(const char* name) const
{
    return findChild<QPushButton*>(QLatin1String(name));
}

CConstLineList* CConstLinesDlg::List(ConstLineKind kind) const
{
    return kind == ConstLineKind::X ? m_xList : m_yList;
}

void CConstLinesDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_columnsFitted) {
        m_columnsFitted = true;
        m_xList->FitColumns();
        m_yList->FitColumns();
    }
}

void CConstLinesDlg::RefreshLists()
{
    for (ConstLineKind kind : {ConstLineKind::X, ConstLineKind::Y}) {
        QList<QPair<QString, QString>> rows;
        for (const ConstLine& line : m_lines.lines(kind))
            rows.append({line.name, ConstLineSet::formatValue(ConstLineSet::value(line, kind))});
        List(kind)->SetRows(rows);
    }
}

void CConstLinesDlg::OnLineMoved(ConstLineKind kind, const QString& name, float value)
{
    if (m_lines.moveLine(kind, name, value))
        RefreshLists();
}

void CConstLinesDlg::CommitEdits()
{
    // A value typed but not yet confirmed is what the user sees in the
    // list, so the window's commands take it rather than the old one.
    m_xList->CommitEdit();
    m_yList->CommitEdit();
}

void CConstLinesDlg::OnValueEdited(ConstLineKind kind, int row, const QString& text)
{
    if (!m_lines.commitValue(kind, row, text))
        return;
    // Shown as typed until the lists are next filled.
    if (QTableWidgetItem* item = List(kind)->item(row, CConstLineList::ValueColumn))
        item->setText(text.trimmed());
}

void CConstLinesDlg::OnCreate()
{
    CommitEdits();
    CAddConstLineDlg dialog(m_lines, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const CCharacteristicChart& chart = m_view.Chart();
    const ConstLineKind kind = dialog.Kind();
    const int chartLines = int(kind == ConstLineKind::X ? chart.XLines().size()
                                                        : chart.YLines().size());
    const int colour = ConstLineSet::paletteIndex(chartLines, int(m_view.Fuses().size()),
                                                  CCharacteristicChart::PaletteSize);
    const ConstLineSet::Range range{chart.XMin(), chart.YMin(), chart.XMax(), chart.YMax()};
    m_lines.create(dialog.Name(), dialog.Value(), kind, range, chart.PaletteColour(colour));
    RefreshLists();
}

void CConstLinesDlg::OnRemove(ConstLineKind kind)
{
    CommitEdits();
    m_lines.remove(kind, List(kind)->SelectedRows());
    RefreshLists();
}

void CConstLinesDlg::OnApply()
{
    CommitEdits();
    m_view.XLines() = m_lines.xLines();
    m_view.YLines() = m_lines.yLines();
    m_view.Redraw();
}

void CConstLinesDlg::OnAddToTable(ConstLineKind kind)
{
    CommitEdits();
    auto* table = dynamic_cast<ConstLineTableTarget*>(m_view.TableWindow());
    const QList<int> rows = List(kind)->SelectedRows();
    if (const auto problem = ConstLineSet::addToTableProblem(table != nullptr, kind, rows)) {
        MessageBoxService::show(this, *problem, QStringLiteral("Curvata"), MessageBoxService::Ok,
                                MessageBoxService::Warning);
        return;
    }
    m_lines.addToTable(kind, rows, *table);
}

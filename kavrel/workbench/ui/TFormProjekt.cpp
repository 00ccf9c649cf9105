#include "TFormProjekt.h"

#include "MessageBoxService.h"
#include "ProjectListModel.h"
#include "TAcadMess.h"
#include "WorkbenchModel.h"
#include "WorkbenchTexts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMenu>
#include <QStyle>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

TFormProjekt::TFormProjekt(QWidget* workbench, WorkbenchModel& model, const QString& language)
    : QDialog(workbench), m_model(model), m_language(language)
{
    setObjectName(QStringLiteral("FormProjekt"));
    setWindowTitle(QStringLiteral("FormProjekt"));
    resize(509, 349);
    auto* row = new QHBoxLayout(this);
    TntDBGrid1 = new QTableView(this);
    TntDBGrid1->setObjectName(QStringLiteral("TntDBGrid1"));
    m_gridModel = new ProjectListModel(model, this);
    TntDBGrid1->setModel(m_gridModel);
    TntDBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    TntDBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    TntDBGrid1->verticalHeader()->hide();
    TntDBGrid1->horizontalHeader()->setStretchLastSection(true);
    TntDBGrid1->setColumnWidth(ProjectListModel::Name, 300);
    TntDBGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
    row->addWidget(TntDBGrid1, 1);

    auto* panel = new QVBoxLayout;
    const auto button = [this, panel](const char* name, QStyle::StandardPixmap icon) {
        auto* b = new QToolButton(this);
        b->setObjectName(QLatin1String(name));
        b->setIcon(QApplication::style()->standardIcon(icon));
        b->setIconSize(QSize(20, 20));
        panel->addWidget(b);
        return b;
    };
    TntBitBtn5 = button("TntBitBtn5", QStyle::SP_FileIcon);
    TntBitBtn5->setToolTip(QStringLiteral("New BOM"));
    TntBitBtn2 = button("TntBitBtn2", QStyle::SP_TrashIcon);
    TntBitBtn2->setToolTip(QStringLiteral("Delete BOM"));
    TntBitBtn3 = button("TntBitBtn3", QStyle::SP_ArrowUp);
    TntBitBtn4 = button("TntBitBtn4", QStyle::SP_ArrowDown);
    TntBitBtn3->hide();
    TntBitBtn4->hide();
    panel->addStretch();
    row->addLayout(panel);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->addAction(QStringLiteral("Add"));
    PopupMenu1->addAction(QStringLiteral("Delete"));
    connect(TntDBGrid1, &QTableView::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(TntDBGrid1->viewport()->mapToGlobal(at)); });

    connect(TntBitBtn5, &QToolButton::clicked, this, &TFormProjekt::TntBitBtn5Click);
    connect(TntBitBtn2, &QToolButton::clicked, this, &TFormProjekt::TntBitBtn2Click);
    connect(m_gridModel, &ProjectListModel::editFailed, this, &TFormProjekt::report);
    connect(&model, &WorkbenchModel::projectChanged, this, &TFormProjekt::followProject);
    connect(&model, &WorkbenchModel::projectsChanged, this, &TFormProjekt::followProject);
    connect(TntDBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (m_following || !current.isValid())
                    return;
                bool changed = false;
                try {
                    changed = m_model.selectProject(m_gridModel->projectAt(current.row()));
                } catch (const TableError& e) {
                    report(e.message());
                }
                if (!changed)
                    followProject(); // refused: back on the project that stays current
            });
    if (workbench) {
        const QRect o = workbench->frameGeometry();
        move(o.center() - QPoint(width() / 2, height() / 2));
    }
    followProject();
}

void TFormProjekt::report(const QString& message)
{
    MessageBoxService::show(this, message, windowTitle(), MessageBoxService::Ok,
                            MessageBoxService::Critical);
}

void TFormProjekt::followProject()
{
    m_following = true;
    const int row = m_model.tables().Projekt.recNo() - 1;
    if (row >= 0 && TntDBGrid1->currentIndex().row() != row)
        TntDBGrid1->setCurrentIndex(
            m_gridModel->index(row, std::max(0, TntDBGrid1->currentIndex().column())));
    m_following = false;
}

void TFormProjekt::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    followProject();
}

void TFormProjekt::TntBitBtn5Click()
{
    commitOpenEdit();
    try {
        m_model.addProject();
    } catch (const TableError& e) {
        report(e.message());
    }
    followProject();
}

void TFormProjekt::TntBitBtn2Click()
{
    commitOpenEdit();
    if (m_model.currentProject() == 0)
        return;
    const WorkbenchTexts::Box box =
        WorkbenchTexts::deleteProject(m_language, m_model.currentProjectName());
    if (!TAcadMess::ask(this, box.title, box.text))
        return;
    try {
        m_model.deleteProject();
    } catch (const TableError& e) {
        report(e.message());
    }
    followProject();
}

// A name or date being typed is stored before anything else happens.
void TFormProjekt::commitOpenEdit()
{
    QWidget* editor = TntDBGrid1->focusWidget();
    if (!editor || editor == TntDBGrid1 || !editor->isVisible() || !TntDBGrid1->isAncestorOf(editor))
        return;
    QMetaObject::invokeMethod(TntDBGrid1, "commitData", Q_ARG(QWidget*, editor));
    QMetaObject::invokeMethod(TntDBGrid1, "closeEditor", Q_ARG(QWidget*, editor),
                              Q_ARG(QAbstractItemDelegate::EndEditHint,
                                    QAbstractItemDelegate::NoHint));
}

void TFormProjekt::closeEvent(QCloseEvent* event)
{
    commitOpenEdit();
    QDialog::closeEvent(event);
}

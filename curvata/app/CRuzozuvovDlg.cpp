#include "CRuzozuvovDlg.h"

#include "CIzbrKarakteristikoDlg.h"
#include "CRuzozuvovView.h"
#include "FuseModel.h"
#include "WindowPlacementRestorer.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CRuzozuvovDlg::CRuzozuvovDlg(CRuzozuvovView& view, const FuseDatabase& database,
                             const CharacteristicTypeTable& types, const AppSettings* settings,
                             QWidget* parent)
    : QDialog(parent), m_view(view), m_types(types), m_settings(settings),
      m_selection(database, view.Fuses())
{
    setObjectName(QString::fromLatin1(SectionName));
    setWindowTitle(QStringLiteral("Select Fuses"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setSizeGripEnabled(true);

    m_left = new QListWidget(this);
    m_left->setObjectName(QStringLiteral("groupList"));
    m_right = new QListWidget(this);
    m_right->setObjectName(QStringLiteral("selectedList"));
    for (QListWidget* list : {m_left, m_right})
        list->setSelectionMode(QAbstractItemView::MultiSelection);
    m_moveRight = new QPushButton(QStringLiteral(">>"), this);
    m_moveRight->setObjectName(QStringLiteral("moveRight"));
    m_moveLeft = new QPushButton(QStringLiteral("<"), this);
    m_moveLeft->setObjectName(QStringLiteral("moveLeft"));
    for (QPushButton* button : {m_moveRight, m_moveLeft})
        button->setAutoDefault(false);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &CRuzozuvovDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_left, &QListWidget::itemDoubleClicked, this, &CRuzozuvovDlg::OnDblclkLeft);
    connect(m_moveRight, &QPushButton::clicked, this, &CRuzozuvovDlg::OnMoveRight);
    connect(m_moveLeft, &QPushButton::clicked, this, &CRuzozuvovDlg::OnMoveLeft);

    // The lists share the width; the move buttons stay on the centre line.
    auto* middle = new QVBoxLayout;
    middle->addStretch(1);
    middle->addWidget(m_moveRight);
    middle->addWidget(m_moveLeft);
    middle->addStretch(1);
    auto* lists = new QHBoxLayout;
    lists->addWidget(m_left, 1);
    lists->addLayout(middle);
    lists->addWidget(m_right, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addWidget(buttons);
    resize(520, 360);
    WindowPlacementRestorer::restore(*this, settings, QString::fromLatin1(SectionName));

    m_chooser = [this](const QStringList& names) -> const CharacteristicType* {
        CIzbrKarakteristikoDlg dialog(names, m_view, m_types, false, m_settings, this);
        return dialog.exec() == QDialog::Accepted ? dialog.Result() : nullptr;
    };
    FillLists();
}

void CRuzozuvovDlg::Run(CRuzozuvovView& view, const FuseDatabase& database,
                        const CharacteristicTypeTable& types, const AppSettings* settings)
{
    CRuzozuvovDlg dialog(view, database, types, settings, view.window());
    dialog.exec();
}

void CRuzozuvovDlg::FillLists()
{
    m_left->clear();
    m_left->addItems(m_selection.leftTexts());
    m_right->clear();
    m_right->addItems(m_selection.rightTexts());
}

QList<int> CRuzozuvovDlg::SelectedRows(const QListWidget& list)
{
    QList<int> rows;
    for (const QListWidgetItem* item : list.selectedItems())
        rows.append(list.row(item));
    return rows;
}

void CRuzozuvovDlg::OnDblclkLeft(QListWidgetItem* item)
{
    if (item && m_selection.open(m_left->row(item)))
        FillLists();
}

void CRuzozuvovDlg::OnMoveRight()
{
    m_selection.moveRight(SelectedRows(*m_left));
    FillLists();
}

void CRuzozuvovDlg::OnMoveLeft()
{
    m_selection.moveLeft(SelectedRows(*m_right));
    FillLists();
}

void CRuzozuvovDlg::accept()
{
    if (!m_selection.hasSelectedList()) {
        QDialog::accept();
        return;
    }
    const CharacteristicType* type =
        m_chooser(FuseDatabase::characteristicTypeNames(m_selection.selected()));
    if (!type)
        return; // no type: the user goes on choosing fuses or cancels
    m_view.SetFuses(m_selection.selected());
    m_view.SetCharacteristic(type, true);
    QDialog::accept();
}

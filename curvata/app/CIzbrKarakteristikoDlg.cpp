#include "CIzbrKarakteristikoDlg.h"

#include "CRuzozuvovView.h"
#include "CharacteristicChoice.h"
#include "FuseModel.h"
#include "WindowPlacementRestorer.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CIzbrKarakteristikoDlg::CIzbrKarakteristikoDlg(const QStringList& typeNames, CRuzozuvovView& view,
                                               const CharacteristicTypeTable& types,
                                               bool applyAtOnce, const AppSettings* settings,
                                               QWidget* parent)
    : QDialog(parent), m_view(view), m_types(types), m_applyAtOnce(applyAtOnce)
{
    setObjectName(QString::fromLatin1(SectionName));
    setWindowTitle(QStringLiteral("Select characteristic"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setSizeGripEnabled(true);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("characteristicList"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    const QStringList rows = CharacteristicChoice::listOrder(typeNames);
    m_list->addItems(rows);
    const int preselected = CharacteristicChoice::preselectedRow(rows, view.CurrentCharacteristic());
    if (preselected >= 0)
        m_list->setCurrentRow(preselected);
    // A double-click chooses, as in every list of choices.
    connect(m_list, &QListWidget::itemDoubleClicked, this, &CIzbrKarakteristikoDlg::accept);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &CIzbrKarakteristikoDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);
    resize(260, 240);
    WindowPlacementRestorer::restore(*this, settings, QString::fromLatin1(SectionName));
}

void CIzbrKarakteristikoDlg::Run(CRuzozuvovView& view, const CharacteristicTypeTable& types,
                                 const AppSettings* settings)
{
    CIzbrKarakteristikoDlg dialog(FuseDatabase::characteristicTypeNames(view.Fuses()), view, types,
                                  true, settings, view.window());
    dialog.exec();
}

void CIzbrKarakteristikoDlg::accept()
{
    m_result = nullptr;
    const QList<QListWidgetItem*> chosen = m_list->selectedItems();
    if (!chosen.isEmpty()) {
        m_result = CharacteristicChoice::typeFor(m_types, chosen.first()->text());
        if (m_result && m_applyAtOnce)
            m_view.SetCharacteristic(m_result, true);
    }
    QDialog::accept();
}

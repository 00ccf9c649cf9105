#include "CAddConstLineDlg.h"

#include "ConstLineSet.h"
#include "MessageBoxService.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CAddConstLineDlg::CAddConstLineDlg(const ConstLineSet& lines, QWidget* parent)
    : QDialog(parent), m_lines(lines)
{
    setObjectName(QStringLiteral("CAddConstLineDlg"));
    setWindowTitle(QStringLiteral("Add const line"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("name"));
    m_valueText = new QLineEdit(this);
    m_valueText->setObjectName(QStringLiteral("value"));
    m_name->setMinimumWidth(180);
    m_valueText->setMinimumWidth(180);
    m_x = new QRadioButton(QStringLiteral("X"), this);
    m_x->setObjectName(QStringLiteral("x"));
    m_y = new QRadioButton(QStringLiteral("Y"), this);
    m_y->setObjectName(QStringLiteral("y"));
    auto* kind = new QButtonGroup(this);
    kind->addButton(m_x);
    kind->addButton(m_y);
    m_x->setChecked(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &CAddConstLineDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* kinds = new QHBoxLayout;
    kinds->addWidget(m_x);
    kinds->addWidget(m_y);
    kinds->addStretch(1);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Name"), m_name);
    form->addRow(QStringLiteral("Value"), m_valueText);
    form->addRow(QString(), kinds);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_name->setFocus();
}

QString CAddConstLineDlg::Name() const
{
    return m_name->text();
}

ConstLineKind CAddConstLineDlg::Kind() const
{
    return m_y->isChecked() ? ConstLineKind::Y : ConstLineKind::X;
}

void CAddConstLineDlg::accept()
{
    const ConstLineSet::Check check = m_lines.check(Name(), m_valueText->text(), Kind());
    if (!check.value) {
        MessageBoxService::show(this, check.problem, QStringLiteral("Curvata"),
                                MessageBoxService::Ok, MessageBoxService::Warning);
        return;
    }
    m_value = *check.value;
    QDialog::accept();
}

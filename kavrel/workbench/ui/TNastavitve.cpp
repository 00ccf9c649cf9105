#include "TNastavitve.h"

#include "AcadMenuFile.h"
#include "MessageBoxService.h"
#include "SettingsTexts.h"
#include "TForm6.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QLineEdit* scaleField(QWidget* parent, const char* name)
{
    auto* e = new QLineEdit(QStringLiteral("1"), parent);
    e->setObjectName(QLatin1String(name));
    e->setMaximumWidth(70);
    e->setAlignment(Qt::AlignRight);
    return e;
}

QCheckBox* box(QWidget* parent, const char* name)
{
    auto* b = new QCheckBox(parent);
    b->setObjectName(QLatin1String(name));
    b->setChecked(true);
    return b;
}

} // namespace

TNastavitve::TNastavitve(QWidget* owner, const WorkbenchHost& host) : QDialog(owner), m_host(host)
{
    setObjectName(QStringLiteral("Nastavitve"));
    resize(480, 256);
    auto* layout = new QVBoxLayout(this);
    Blocks = new QTabWidget(this);
    Blocks->setObjectName(QStringLiteral("Blocks"));
    layout->addWidget(Blocks);
    buildScales();
    buildAttributes();
    buildCustomer();
    buildTableAndMenu();
    applyCaptions();
    connect(Blocks, &QTabWidget::currentChanged, this, [this](int index) {
        if (Blocks->widget(index) == SheetMenu)
            SheetMenuShow();
    });
    if (owner) {
        const QRect o = owner->frameGeometry();
        move(o.center() - QPoint(width() / 2, height() / 2));
    }
}

void TNastavitve::buildScales()
{
    SheetSymDim = new QWidget(Blocks);
    SheetSymDim->setObjectName(QStringLiteral("SheetSymDim"));
    auto* g = new QGridLayout(SheetSymDim);
    MeriloSym = new QLabel(SheetSymDim);
    ScaleSym1 = scaleField(SheetSymDim, "ScaleSym1");
    ScaleSym2 = scaleField(SheetSymDim, "ScaleSym2");
    MeriloSymNastavi = new QPushButton(SheetSymDim);
    MeriloSymNastavi->setObjectName(QStringLiteral("MeriloSymNastavi"));
    MeriloDim = new QLabel(SheetSymDim);
    ScaleDim1 = scaleField(SheetSymDim, "ScaleDim1");
    ScaleDim2 = scaleField(SheetSymDim, "ScaleDim2");
    g->addWidget(MeriloSym, 0, 0, 1, 4);
    g->addWidget(ScaleSym1, 1, 0);
    g->addWidget(new QLabel(QStringLiteral(":"), SheetSymDim), 1, 1);
    g->addWidget(ScaleSym2, 1, 2);
    g->addWidget(MeriloSymNastavi, 1, 3);
    g->addWidget(MeriloDim, 2, 0, 1, 4);
    g->addWidget(ScaleDim1, 3, 0);
    g->addWidget(new QLabel(QStringLiteral(":"), SheetSymDim), 3, 1);
    g->addWidget(ScaleDim2, 3, 2);
    g->setColumnStretch(4, 1);
    g->setRowStretch(4, 1);
    Blocks->addTab(SheetSymDim, QString());

    // The factor follows every valid change; a text that is no number is
    // reported once the user leaves the field, not at every keystroke.
    for (QLineEdit* e : {ScaleSym1, ScaleSym2}) {
        connect(e, &QLineEdit::textChanged, this, &TNastavitve::ScaleSym1Change);
        connect(e, &QLineEdit::editingFinished, this, &TNastavitve::reportScaleError);
    }
    for (QLineEdit* e : {ScaleDim1, ScaleDim2})
        connect(e, &QLineEdit::textChanged, this, &TNastavitve::ScaleDim1Change);
    connect(MeriloSymNastavi, &QPushButton::clicked, this, &TNastavitve::MeriloSymNastaviClick);
}

void TNastavitve::buildAttributes()
{
    SheetAttrib = new QWidget(Blocks);
    SheetAttrib->setObjectName(QStringLiteral("SheetAttrib"));
    auto* g = new QGridLayout(SheetAttrib);
    ShowAtt = new QLabel(SheetAttrib);
    CBManufacturer = box(SheetAttrib, "CBManufacturer");
    CBItemNo = box(SheetAttrib, "CBItemNo");
    CBItem = box(SheetAttrib, "CBItem");
    CBBlockNo = box(SheetAttrib, "CBBlockNo");
    NumBlock = new QLabel(SheetAttrib);
    BlockNumber = box(SheetAttrib, "BlockNumber");
    Connection = new QLabel(SheetAttrib);
    ConnBOM = box(SheetAttrib, "ConnBOM");
    Connlive = box(SheetAttrib, "Connlive");
    ConnSyncStart = box(SheetAttrib, "ConnSyncStart");
    ConnSyncEnd = box(SheetAttrib, "ConnSyncEnd");
    g->addWidget(ShowAtt, 0, 0);
    g->addWidget(CBManufacturer, 1, 0);
    g->addWidget(CBItemNo, 2, 0);
    g->addWidget(CBItem, 3, 0);
    g->addWidget(CBBlockNo, 4, 0);
    g->addWidget(NumBlock, 5, 0);
    g->addWidget(BlockNumber, 6, 0);
    g->addWidget(Connection, 0, 1);
    g->addWidget(ConnBOM, 1, 1);
    g->addWidget(Connlive, 2, 1);
    g->addWidget(ConnSyncStart, 3, 1);
    g->addWidget(ConnSyncEnd, 4, 1);
    g->setRowStretch(7, 1);
    Blocks->addTab(SheetAttrib, QString());
    connect(ConnBOM, &QCheckBox::clicked, this, &TNastavitve::ConnBOMClick);
}

void TNastavitve::buildCustomer()
{
    Customer = new QWidget(Blocks);
    Customer->setObjectName(QStringLiteral("Customer"));
    auto* form = new QFormLayout(Customer);
    for (int i = 0; i < 5; ++i) {
        Labels[i] = new QLabel(Customer);
        Labels[i]->setObjectName(QStringLiteral("Label%1").arg(i + 4));
        NxE1[i] = new QLineEdit(Customer);
        NxE1[i]->setObjectName(QStringLiteral("N%1E1").arg(i + 1));
        form->addRow(Labels[i], NxE1[i]);
    }
    // Shown for reference; the customer's data are kept in the
    // configuration, not typed here.
    Customer->setEnabled(false);
    Blocks->addTab(Customer, QString());
}

void TNastavitve::buildTableAndMenu()
{
    SheetTable = new QWidget(Blocks);
    SheetTable->setObjectName(QStringLiteral("SheetTable"));
    auto* t = new QVBoxLayout(SheetTable);
    ProjectView1 = box(SheetTable, "ProjectView1");
    BNovicenik = new QPushButton(SheetTable);
    BNovicenik->setObjectName(QStringLiteral("BNovicenik"));
    t->addWidget(ProjectView1);
    t->addWidget(BNovicenik, 0, Qt::AlignLeft);
    t->addStretch();
    Blocks->addTab(SheetTable, QString());
    connect(ProjectView1, &QCheckBox::clicked, this, &TNastavitve::ProjectView1Click);

    SheetMenu = new QWidget(Blocks);
    SheetMenu->setObjectName(QStringLiteral("SheetMenu"));
    auto* m = new QVBoxLayout(SheetMenu);
    TntButton3 = new QPushButton(SheetMenu);
    TntButton3->setObjectName(QStringLiteral("TntButton3"));
    m->addWidget(TntButton3, 0, Qt::AlignLeft);
    m->addStretch();
    Blocks->addTab(SheetMenu, QString());
    connect(TntButton3, &QPushButton::clicked, this, &TNastavitve::TntButton3Click);
}

void TNastavitve::applyCaptions()
{
    const SettingsTexts t = SettingsTexts::forLanguage(m_host.language);
    setWindowTitle(t.title);
    Blocks->setTabText(0, t.sheetSymDim);
    Blocks->setTabText(1, t.sheetAttrib);
    Blocks->setTabText(2, t.customer);
    Blocks->setTabText(3, t.sheetTable);
    Blocks->setTabText(4, t.sheetMenu);
    MeriloSym->setText(t.meriloSym);
    MeriloSymNastavi->setText(t.meriloSymNastavi);
    MeriloDim->setText(t.meriloDim);
    ShowAtt->setText(t.showAtt);
    CBManufacturer->setText(t.cbManufacturer);
    CBItemNo->setText(t.cbItemNo);
    CBItem->setText(t.cbItem);
    CBBlockNo->setText(t.cbBlockNo);
    NumBlock->setText(t.numBlock);
    BlockNumber->setText(t.blockNumber);
    Connection->setText(t.connection);
    Connlive->setText(t.connLive);
    ConnBOM->setText(t.connBom);
    ConnSyncStart->setText(t.connSyncStart);
    ConnSyncEnd->setText(t.connSyncEnd);
    const QString labels[5] = {t.label4, t.label5, t.label6, t.label7, t.label8};
    for (int i = 0; i < 5; ++i)
        Labels[i]->setText(labels[i]);
    ProjectView1->setText(t.projectView1);
    BNovicenik->setText(t.bNovicenik);
    TntButton3->setText(t.tntButton3);
}

QCheckBox* TNastavitve::option(WorkbenchSettings::Option o) const
{
    QCheckBox* const boxes[WorkbenchSettings::OptionCount] = {
        CBManufacturer, CBItemNo, CBItem,        CBBlockNo,  BlockNumber,
        ConnBOM,        Connlive, ConnSyncStart, ConnSyncEnd};
    return boxes[o];
}

void TNastavitve::load()
{
    const WorkbenchSettings s = WorkbenchSettings::load(m_host.config);
    ScaleSym1->setText(s.scaleSym1);
    ScaleSym2->setText(s.scaleSym2);
    ScaleDim1->setText(s.scaleDim1);
    ScaleDim2->setText(s.scaleDim2);
    ProjectView1->setChecked(s.projectView);
    for (int i = 0; i < WorkbenchSettings::OptionCount; ++i)
        option(WorkbenchSettings::Option(i))->setChecked(s.options[size_t(i)]);
    for (int i = 0; i < 5; ++i)
        NxE1[i]->setText(s.customer[size_t(i)]);
    applyConnBomEnabling();
}

WorkbenchSettings TNastavitve::values() const
{
    WorkbenchSettings s;
    s.scaleSym1 = ScaleSym1->text();
    s.scaleSym2 = ScaleSym2->text();
    s.scaleDim1 = ScaleDim1->text();
    s.scaleDim2 = ScaleDim2->text();
    s.projectView = ProjectView1->isChecked();
    for (int i = 0; i < WorkbenchSettings::OptionCount; ++i)
        s.options[size_t(i)] = option(WorkbenchSettings::Option(i))->isChecked();
    for (int i = 0; i < 5; ++i)
        s.customer[size_t(i)] = NxE1[i]->text();
    return s;
}

bool TNastavitve::save()
{
    QString failed;
    if (values().save(m_host.config, &failed))
        return true;
    MessageBoxService::show(this, QStringLiteral("The settings could not be saved (%1).").arg(failed),
                            windowTitle(), MessageBoxService::Ok, MessageBoxService::Warning);
    return false;
}

void TNastavitve::closeEvent(QCloseEvent* event)
{
    save();
    QDialog::closeEvent(event);
}

void TNastavitve::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (Blocks->currentWidget() == SheetMenu)
        SheetMenuShow();
}

void TNastavitve::setWorkbench(TForm6* workbench)
{
    m_workbench = workbench;
}

double TNastavitve::symbolFactor() const
{
    return WorkbenchSettings::factor(ScaleSym1->text(), ScaleSym2->text()).value_or(1.0);
}

double TNastavitve::dimensionFactor() const
{
    return WorkbenchSettings::factor(ScaleDim1->text(), ScaleDim2->text()).value_or(1.0);
}

void TNastavitve::ScaleSym1Change()
{
    const auto f = WorkbenchSettings::factor(ScaleSym1->text(), ScaleSym2->text());
    if (f && m_workbench)
        m_workbench->model().setSymbolScale(*f);
}

void TNastavitve::reportScaleError()
{
    for (QLineEdit* e : {ScaleSym1, ScaleSym2}) {
        if (!WorkbenchSettings::parseNumber(e->text())) {
            MessageBoxService::show(this, WorkbenchSettings::conversionError(e->text()),
                                    windowTitle(), MessageBoxService::Ok,
                                    MessageBoxService::Critical);
            return;
        }
    }
}

void TNastavitve::ScaleDim1Change()
{
    const auto f = WorkbenchSettings::factor(ScaleDim1->text(), ScaleDim2->text());
    if (f && m_workbench)
        m_workbench->model().setDimensionScale(*f);
}

void TNastavitve::applyConnBomEnabling()
{
    const bool on = ConnBOM->isChecked();
    for (QCheckBox* b : {Connlive, ConnSyncStart, ConnSyncEnd})
        b->setEnabled(on);
}

void TNastavitve::ConnBOMClick()
{
    const bool on = ConnBOM->isChecked();
    applyConnBomEnabling();
    if (!on) {
        for (QCheckBox* b : {Connlive, ConnSyncStart, ConnSyncEnd})
            b->setChecked(false);
    }
    if (m_workbench)
        m_workbench->setBomGridShown(on);
}

void TNastavitve::ProjectView1Click()
{
    // Read by the next rebuild of the item view, not at once.
    if (m_workbench)
        m_workbench->model().setProjectView(ProjectView1->isChecked());
}

void TNastavitve::MeriloSymNastaviClick()
{
    if (cad.measureSymbolScale)
        cad.measureSymbolScale(*this);
}

void TNastavitve::SheetMenuShow()
{
    TntButton3->setEnabled(cad.hasApplication && cad.hasApplication());
}

void TNastavitve::TntButton3Click()
{
    if (!cad.hasApplication || !cad.hasApplication())
        return;
    QString error;
    const QString file = AcadMenuFile::write(m_host.programDir, m_host.programFile, &error);
    if (file.isEmpty()) {
        MessageBoxService::show(this, error, windowTitle(), MessageBoxService::Ok,
                                MessageBoxService::Critical);
        return;
    }
    if (cad.installMenu)
        cad.installMenu(file);
}

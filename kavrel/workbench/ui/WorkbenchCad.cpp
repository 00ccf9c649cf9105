#include "WorkbenchCad.h"

#include "AcadError.h"
#include "CadTexts.h"
#include "MessageBoxService.h"
#include "TAcadMess.h"
#include "TForm6.h"
#include "TNastavitve.h"
#include "WorkbenchIcons.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QToolButton>

WorkbenchCad::WorkbenchCad(TForm6& form, TNastavitve* settings, QWidget* catalogue,
                           std::unique_ptr<AcadBinder> binder)
    : QObject(&form), m_form(form), m_settings(settings), m_catalogue(catalogue),
      m_binder(binder ? std::move(binder) : std::make_unique<DBusAcadBinder>())
{
    WorkbenchModel& model = form.model();
    m_sync = std::make_unique<BomSync>(model, [this](const QString& m) { report(m); });
    m_connection = std::make_unique<CadConnection>(model, *m_sync, *m_binder);
    m_connection->options = [this] { return options(); };
    m_connection->source = [this] { return source(); };
    m_inserter = std::make_unique<BlockInserter>(model, m_log, form.host().databaseDir,
                                                 form.host().programDir);

    TForm6::Hooks& h = form.hooks;
    h.hasApplication = [this] { return m_connection->hasApplication(); };
    h.connect = [this](bool down) { connectToggled(down); };
    h.synchronize = [this] { synchronize(); };
    h.insert = [this](bool dimension) { insert(dimension ? BlockKind::Dimension : BlockKind::Symbol); };
    h.openDrawing = [this] { openDrawing(); };
    h.closeCheck = [this] { return closeCheck(); };
    // The 3-pole symbol: offered when the product has such a drawing.
    QObject::connect(form.BtnSYM3, &QToolButton::clicked, this, [this] { insert(BlockKind::Symbol3); });

    CadConnection* c = m_connection.get();
    QObject::connect(c, &CadConnection::connectingStarted, this, [this] {
        const WorkbenchTexts& t = m_form.texts();
        m_form.setWindowTitle(t.captionPrefix + m_form.model().currentProjectName() + t.suffixConnecting);
    });
    QObject::connect(c, &CadConnection::stateChanged, this, &WorkbenchCad::showState);
    QObject::connect(c, &CadConnection::failed, this, &WorkbenchCad::report);
    QObject::connect(c, &CadConnection::insertCommandsChanged, this, &WorkbenchCad::showCommands);
    QObject::connect(c, &CadConnection::boundChanged, form.ScanBtn, &QWidget::setEnabled);
    QObject::connect(c, &CadConnection::drawingShown, this, [this](const QString& name) {
        m_form.setWindowTitle(m_form.texts().captionPolling + name);
    });
    QObject::connect(&model, &WorkbenchModel::currentBomChanged, c,
                     &CadConnection::updateInsertCommands);

    if (settings) {
        settings->cad.hasApplication = [this] { return m_connection->hasApplication(); };
        settings->cad.measureSymbolScale = [this](TNastavitve& s) { measureSymbolScale(s); };
        settings->cad.installMenu = [this](const QString& file) { installMenu(file); };
    }
}

WorkbenchCad::~WorkbenchCad() = default;

CadConnection::Options WorkbenchCad::options() const
{
    if (!m_settings)
        return {};
    const WorkbenchSettings s = m_settings->values();
    return {s.options[WorkbenchSettings::ConnLive], s.options[WorkbenchSettings::ConnSyncStart],
            s.options[WorkbenchSettings::ConnSyncEnd]};
}

InsertSource WorkbenchCad::source() const
{
    InsertSource s;
    const WorkbenchHost& host = m_form.host();
    if (!host.drawingsOf)
        return s;
    if (m_form.source() == TForm6::Source::BomItem) {
        const TableView& v = m_form.model().tables().TNar;
        if (v.isEmpty())
            return s;
        s.bomItem = true;
        s.drawings = host.drawingsOf(v.asString(QStringLiteral("Ident")));
        s.l1sym = int(v.asInt(QStringLiteral("L1SYM")));
        s.l1dim = int(v.asInt(QStringLiteral("L1DIM")));
    } else if (host.focusedProduct) {
        if (const auto p = host.focusedProduct())
            s.drawings = host.drawingsOf(p->code);
    }
    return s;
}

void WorkbenchCad::report(const QString& text)
{
    MessageBoxService::show(&m_form, text, m_form.windowTitle());
}

void WorkbenchCad::connectToggled(bool down)
{
    if (down)
        m_connection->connectCad();
    else
        m_connection->disconnectCad();
}

void WorkbenchCad::showState(bool connected)
{
    const WorkbenchTexts& t = m_form.texts();
    m_form.SpeedButton1->setChecked(connected);
    m_form.SpeedButton1->setIcon(WorkbenchIcons::image(connected ? 1 : 0));
    m_form.SpeedButton1->setToolTip(connected ? t.hintDisconnect : t.hintConnect);
    m_form.updateCaption();
    if (!connected)
        m_form.disableInsertCommands();
}

void WorkbenchCad::showCommands(const CadConnection::InsertCommands& c)
{
    m_form.BtnSYM->setEnabled(c.symbol);
    m_form.MnAddsymbol1->setEnabled(c.symbol);
    m_form.BtnSYM3->setEnabled(c.symbol3);
    m_form.BtnSYM3->setVisible(c.symbol3);
    m_form.BtnDIM->setEnabled(c.dimension);
    m_form.MnAdddrawing1->setEnabled(c.dimension);
    if (!c.symbol && !c.symbol3)
        m_form.BtnLine->setEnabled(false);
    if (!c.symbol && !c.symbol3 && !c.dimension && m_connection->application().isNull())
        m_form.BtnDelItem->setEnabled(false);
}

void WorkbenchCad::insert(BlockKind kind)
{
    if (!m_connection->hasApplication())
        return;
    const InsertSource s = source();
    BlockInserter::Request r;
    r.kind = kind;
    r.blockName = s.drawings.name(kind);
    r.bomItem = s.bomItem;
    if (!r.bomItem) {
        const auto product = m_form.host().focusedProduct ? m_form.host().focusedProduct()
                                                          : std::nullopt;
        if (!product)
            return;
        r.product = *product;
    }
    if (r.blockName.isEmpty())
        return;
    r.blockLabel = m_form.CBBlock->currentText();
    r.blockNumber = m_form.Block1->text();
    r.quantity = m_form.SpinEdit2->value();
    if (m_settings) {
        const WorkbenchSettings v = m_settings->values();
        r.createBom = v.options[WorkbenchSettings::ConnBom];
        r.autoNumber = v.options[WorkbenchSettings::BlockNumber];
        r.visible = {v.options[WorkbenchSettings::BlockNo], v.options[WorkbenchSettings::Manufacturer],
                     v.options[WorkbenchSettings::ItemNo], v.options[WorkbenchSettings::Item]};
    }

    m_connection->pause();
    m_form.hide();
    if (m_catalogue)
        m_catalogue->hide();
    BlockInserter::Result result;
    try {
        const AcadDocument doc = options().live ? m_connection->document()
                                                : m_connection->application().activeDocument();
        result = m_inserter->insert(m_connection->application(), doc, r);
    } catch (const std::exception&) {
        result.ok = false;
    }
    if (m_catalogue) {
        m_catalogue->show();
        m_catalogue->raise();
    }
    m_form.show();
    m_connection->resume();
    if (!result.ok) {
        report(CadTexts::tryAgain());
        return;
    }
    m_form.Block1->setText(result.nextBlockNumber);
}

void WorkbenchCad::synchronize()
{
    TAcadMess* box =
        TAcadMess::showProgress(&m_form, CadTexts::synchronizingTitle(m_connection->documentName()));
    try {
        m_connection->synchronize([box](int done, int total) { box->setProgress(done, total); });
    } catch (const std::exception& e) {
        delete box;
        const auto* acad = dynamic_cast<const AcadError*>(&e);
        report(acad ? acad->message() : QString::fromLocal8Bit(e.what()));
        return;
    }
    delete box;
}

void WorkbenchCad::openDrawing()
{
    WorkbenchModel& model = m_form.model();
    const TableView& r = model.tables().Risba;
    if (r.isEmpty())
        return;
    const QString name = r.asString(QStringLiteral("Name"));
    const CadTexts t = CadTexts::forLanguage(m_form.host().language);
    const auto result = m_connection->openDrawing(name, r.asString(QStringLiteral("File")), [&] {
        return TAcadMess::ask(&m_form, t.openTitle, t.openQuestion + name);
    });
    if (result == CadConnection::OpenResult::MissingFile)
        MessageBoxService::show(&m_form, t.missingFile, m_form.windowTitle());
}

bool WorkbenchCad::closeCheck()
{
    if (!options().syncOnDisconnect || !m_connection->hadDrawing())
        return true;
    const CadTexts t = CadTexts::forLanguage(m_form.host().language);
    bool ok = true;
    try {
        ok = m_sync->closeBoms([&](const QString& name, const QString& type) {
            return TAcadMess::ask(&m_form, t.unsavedTitle, t.unsavedText(name, type));
        });
    } catch (const std::exception& e) {
        report(QString::fromLocal8Bit(e.what()));
        return true;
    }
    if (!ok) {
        try {
            m_connection->document().bringToFront();
        } catch (const std::exception&) {
        }
    }
    return ok;
}

void WorkbenchCad::measureSymbolScale(TNastavitve& settings)
{
    if (!m_connection->hasApplication())
        return;
    const bool running = m_connection->timerRunning();
    m_connection->pause();
    settings.hide();
    m_form.hide();
    if (m_catalogue)
        m_catalogue->hide();
    QString error;
    try {
        const double d = m_connection->measureContactDistance();
        if (const auto m = WorkbenchSettings::fromContactDistance(d)) {
            settings.ScaleSym1->setText(m->first);
            settings.ScaleSym2->setText(m->second);
            m_form.model().setSymbolScale(m->factor);
        }
    } catch (const AcadError& e) {
        error = e.message();
    }
    if (m_catalogue) {
        m_catalogue->show();
        m_catalogue->raise();
    }
    m_form.show();
    settings.show();
    if (running)
        m_connection->resume();
    if (!error.isEmpty())
        MessageBoxService::show(&settings, error, settings.windowTitle());
}

void WorkbenchCad::installMenu(const QString& file)
{
    try {
        m_connection->installMenu(file);
    } catch (const AcadError& e) {
        MessageBoxService::show(m_settings ? static_cast<QWidget*>(m_settings.data()) : &m_form,
                                e.message(), m_form.windowTitle());
    }
}

#include "BomOutputCommands.h"

#include "BomPrintLayout.h"
#include "BomPrintPreview.h"
#include "BomSheet.h"
#include "BomSummary.h"
#include "BomWorkbookFile.h"
#include "ItemGridModel.h"
#include "MessageBoxService.h"
#include "TForm6.h"
#include "TNastavitve.h"
#include "WorkbenchSettings.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>
#include <QToolButton>
#include <QUrl>
#include <QtDebug>

BomOutputCommands::BomOutputCommands(TForm6& form, TNastavitve* settings)
    : QObject(&form), m_form(form), m_settings(settings),
      m_texts(BomOutputTexts::forLanguage(form.host().language)),
      m_summary(std::make_unique<BomSummary>(form.model()))
{
    form.hooks.summary = [this](bool on) { setSummaryView(on); };
    form.hooks.exportExcel = [this] { exportWorkbook(); };
    form.hooks.print = [this] { print(); };
    connect(m_summary.get(), &BomSummary::changed, this, [this] {
        if (m_form.itemModel())
            m_form.itemModel()->reload();
    });
}

BomOutputCommands::~BomOutputCommands()
{
    delete m_preview;
    disconnect(m_summary.get(), nullptr, this, nullptr);
    m_summary.reset(); // drops TNarUN's summary filter while the model is there
    m_form.hooks.summary = nullptr;
    m_form.hooks.exportExcel = nullptr;
    m_form.hooks.print = nullptr;
}

BomPrintPreview* BomOutputCommands::preview() const
{
    return m_preview;
}

QString BomOutputCommands::suggestedPath(const QString& name, const QString& suffix)
{
    QString base = name.trimmed();
    if (base.endsWith(QStringLiteral(".dwg"), Qt::CaseInsensitive))
        base.chop(4);
    // A BOM's name is typed by the user or taken from a drawing's file
    // name; it must not lead the file elsewhere or fail on a reserved
    // character.
    for (QChar& c : base) {
        if (QStringLiteral("\\/:*?\"<>|").contains(c) || c.unicode() < 0x20)
            c = u'_';
    }
    while (base.startsWith(u'.'))
        base.remove(0, 1);
    if (base.trimmed().isEmpty())
        base = QStringLiteral("BOM");
    QString dir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (dir.isEmpty())
        dir = QDir::homePath();
    return QDir(dir).filePath(base + u'.' + suffix);
}

std::array<QString, 5> BomOutputCommands::customer() const
{
    if (m_settings)
        return m_settings->values().customer;
    if (m_form.host().config.read)
        return WorkbenchSettings::load(m_form.host().config).customer;
    return {};
}

void BomOutputCommands::setSummaryView(bool on)
{
    try {
        m_summary->setActive(on);
    } catch (const TableError& e) {
        MessageBoxService::show(&m_form, e.message(), m_form.windowTitle(), MessageBoxService::Ok,
                                MessageBoxService::Critical);
    }
    // The button follows what the summary could do.
    m_form.BtnSUM->setChecked(m_summary->isActive());
    m_form.itemModel()->setSummaryView(m_summary->isActive());
}

void BomOutputCommands::exportWorkbook()
{
    WorkbenchModel& model = m_form.model();
    const QString suggested = suggestedPath(model.currentBomName(), QStringLiteral("xlsx"));
    QString path = chooseWorkbook ? chooseWorkbook(suggested)
                                  : QFileDialog::getSaveFileName(&m_form, m_form.texts().hintExcel,
                                                                 suggested, m_texts.workbookFilter);
    if (path.isEmpty())
        return; // cancelled
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".xlsx");
    QString error;
    bool done = false;
    try {
        const std::optional<BomSheet> sheet = BomSheet::of(model);
        if (!sheet)
            error = QStringLiteral("the items could not be read to their end");
        else
            done = BomWorkbookFile::save(*sheet, path, &error);
    } catch (const TableError& e) {
        error = e.message();
    }
    if (done) {
        done = openWorkbook ? openWorkbook(path)
                            : QDesktopServices::openUrl(QUrl::fromLocalFile(path));
        if (!done)
            error = path + QStringLiteral(": no program opens the workbook");
    }
    if (done)
        return;
    qWarning().noquote() << "workbook export:" << error;
    MessageBoxService::show(&m_form, BomOutputTexts::exportFailedText(),
                            BomOutputTexts::exportFailedTitle(),
                            MessageBoxService::Ok | MessageBoxService::Cancel,
                            MessageBoxService::Critical);
}

void BomOutputCommands::print()
{
    delete m_preview;
    WorkbenchModel& model = m_form.model();
    try {
        BomPrintLayout layout(
            BomPrintLayout::contentOf(model, customer(), m_form.BtnPrice->isChecked()));
        m_preview = new BomPrintPreview(&m_form, std::move(layout), m_texts);
    } catch (const TableError& e) {
        MessageBoxService::show(&m_form, e.message(), m_form.windowTitle(), MessageBoxService::Ok,
                                MessageBoxService::Critical);
        return;
    }
    m_preview->setAttribute(Qt::WA_DeleteOnClose);
    m_preview->open(); // modal to the workbench, without blocking the caller
}

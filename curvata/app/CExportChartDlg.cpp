#include "CExportChartDlg.h"

#include "ChartExport.h"
#include "ChartZoom.h"
#include "MessageBoxService.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace {

const char* const kSuffixes[] = {"png", "pdf", "svg"};

} // namespace

CExportChartDlg::CExportChartDlg(QSize defaultSize, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CExportChartDlg"));
    setWindowTitle(QStringLiteral("Export chart"));

    m_format = new QComboBox(this);
    m_format->addItems({QStringLiteral("PNG image"), QStringLiteral("PDF document"),
                        QStringLiteral("SVG drawing")});
    // The same limit as the zoomed canvas: pictures of any size the view
    // can show, and none that would exhaust the memory.
    m_width = new QSpinBox(this);
    m_height = new QSpinBox(this);
    for (QSpinBox* box : {m_width, m_height}) {
        box->setRange(16, ChartZoom::MaxCanvas);
        box->setSuffix(QStringLiteral(" px"));
    }
    m_width->setValue(defaultSize.width());
    m_height->setValue(defaultSize.height());

    m_file = new QLineEdit(this);
    m_file->setText(QDir::home().filePath(QStringLiteral("chart.png")));
    auto* browse = new QPushButton(QStringLiteral("Browse..."), this);
    connect(browse, &QPushButton::clicked, this, &CExportChartDlg::OnBrowse);
    // Choosing a format changes the suffix of the name typed so far.
    connect(m_format, &QComboBox::currentIndexChanged, this, [this] {
        QString name = m_file->text();
        if (ChartExport::FormatOf(name))
            name = name.left(name.size() - QFileInfo(name).suffix().size()) + Suffix();
        m_file->setText(name);
    });

    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(m_file, 1);
    fileRow->addWidget(browse);
    auto* form = new QFormLayout;
    // A row holding a layout gets no buddy by itself: Alt+F goes to the name.
    auto* fileLabel = new QLabel(QStringLiteral("&File:"), this);
    fileLabel->setBuddy(m_file);
    form->addRow(fileLabel, fileRow);
    form->addRow(QStringLiteral("F&ormat:"), m_format);
    form->addRow(QStringLiteral("&Width:"), m_width);
    form->addRow(QStringLiteral("&Height:"), m_height);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CExportChartDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CExportChartDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    resize(480, sizeHint().height());
}

QString CExportChartDlg::Suffix() const
{
    return QString::fromLatin1(kSuffixes[std::max(0, m_format->currentIndex())]);
}

QSize CExportChartDlg::ChartSize() const
{
    return QSize(m_width->value(), m_height->value());
}

void CExportChartDlg::OnBrowse()
{
    QString selected;
    const QString filters = QStringLiteral(
        "PNG image (*.png);;PDF document (*.pdf);;SVG drawing (*.svg)");
    const QStringList list = filters.split(QStringLiteral(";;"));
    selected = list.value(m_format->currentIndex());
    const QString file = QFileDialog::getSaveFileName(this, windowTitle(), m_file->text(),
                                                      filters, &selected);
    if (file.isEmpty())
        return;
    m_format->blockSignals(true);
    m_format->setCurrentIndex(std::max(0, int(list.indexOf(selected))));
    m_format->blockSignals(false);
    m_file->setText(file);
    m_confirmed = file; // the file dialog has asked before replacing it
}

void CExportChartDlg::accept()
{
    QString name = m_file->text().trimmed();
    if (name.isEmpty()) {
        MessageBoxService::show(this, QStringLiteral("Enter the name of the file to write."),
                                windowTitle(), MessageBoxService::Ok, MessageBoxService::Warning);
        m_file->setFocus();
        return;
    }
    if (const auto format = ChartExport::FormatOf(name))
        m_format->setCurrentIndex(int(*format));
    else
        name += QLatin1Char('.') + Suffix();
    if (name != m_confirmed && QFileInfo::exists(name) &&
        MessageBoxService::show(this,
                                QStringLiteral("%1 already exists.\nDo you want to replace it?")
                                    .arg(QDir::toNativeSeparators(name)),
                                windowTitle(), MessageBoxService::Yes | MessageBoxService::No,
                                MessageBoxService::Warning) != MessageBoxService::Yes)
        return;
    m_fileName = name;
    QDialog::accept();
}

#include "TFormPDF2.h"

#include "KavrelConfig.h"
#include "PrivateProfile.h"
#include "WinPath.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPdfDocument>
#include <QPdfPageNavigator>
#include <QPdfView>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

namespace {

TFormPDF2::ViewerProbe& viewerProbe()
{
    static TFormPDF2::ViewerProbe probe;
    return probe;
}

// Whole numbers only: "12" counts, "12a" or "" does not.
bool parseWholeNumber(const QString& text, int* value)
{
    return KavrelConfig::isWholeNumber(text.trimmed(), value);
}

const QString Section = QStringLiteral("OknoPDF");

} // namespace

void TFormPDF2::setViewerProbe(ViewerProbe probe)
{
    viewerProbe() = std::move(probe);
}

TFormPDF2::TFormPDF2(QWidget* owner) : QWidget(owner, Qt::Window)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWindowTitle(QString());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_document = new QPdfDocument(this);
    m_view = new QPdfView(this);
    m_view->setPageMode(QPdfView::PageMode::MultiPage);
    m_view->setZoomMode(QPdfView::ZoomMode::FitToWidth);
    m_view->setDocument(m_document);
    layout->addWidget(m_view);
}

TFormPDF2* TFormPDF2::create(QWidget* owner)
{
    auto* window = new TFormPDF2(owner);
    const bool available =
        viewerProbe() ? viewerProbe()(*window) : window->m_view->document() == window->m_document;
    if (!available) {
        // Nothing was shown or read yet, so no placement is written either.
        window->m_document = nullptr;
        window->m_view = nullptr;
        window->setProperty("noPlacement", true);
        delete window;
        return nullptr;
    }
    window->setGeometry(defaultPlacement());
    window->readPlacement();
    return window;
}

TFormPDF2::~TFormPDF2()
{
    if (!property("noPlacement").toBool())
        writePlacement();
}

QRect TFormPDF2::defaultPlacement()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize size = screen ? screen->geometry().size() : QSize(1024, 768);
    return QRect(size.width() / 2 - 1, 0, size.width() / 2, size.height());
}

QString TFormPDF2::configurationFile()
{
    return KavrelConfig::path();
}

void TFormPDF2::readPlacement()
{
    const QString file = configurationFile();
    if (file == KavrelConfig::missing())
        return;
    // Left, Top, Width, Height in this order; the first value that is not a
    // whole number ends the reading, the values already applied stay.
    int value = 0;
    if (!parseWholeNumber(
            PrivateProfile::getString(Section, QStringLiteral("Left"), QString::number(x()), file),
            &value))
        return;
    move(value, y());
    if (!parseWholeNumber(
            PrivateProfile::getString(Section, QStringLiteral("Top"), QString::number(y()), file),
            &value))
        return;
    move(x(), value);
    if (!parseWholeNumber(PrivateProfile::getString(Section, QStringLiteral("Width"),
                                                    QString::number(width()), file),
                          &value))
        return;
    resize(std::max(value, 1), height());
    if (!parseWholeNumber(PrivateProfile::getString(Section, QStringLiteral("Height"),
                                                    QString::number(height()), file),
                          &value))
        return;
    resize(width(), std::max(value, 1));
}

void TFormPDF2::writePlacement() const
{
    const QString file = configurationFile();
    if (file == KavrelConfig::missing())
        return;
    PrivateProfile::writeString(Section, QStringLiteral("Left"), QString::number(x()), file);
    PrivateProfile::writeString(Section, QStringLiteral("Top"), QString::number(y()), file);
    PrivateProfile::writeString(Section, QStringLiteral("Width"), QString::number(width()), file);
    PrivateProfile::writeString(Section, QStringLiteral("Height"), QString::number(height()), file);
}

bool TFormPDF2::loadDocument(const QString& path)
{
    ++m_loadCount;
    const QPdfDocument::Error error = m_document->load(WinPath::toNative(path));
    if (error != QPdfDocument::Error::None) {
        m_path.clear();
        m_document->close();
        return false;
    }
    m_path = path;
    return true;
}

void TFormPDF2::goToPage(int page)
{
    const int count = pageCount();
    if (count <= 0)
        return;
    const int index = std::clamp(page, 1, count) - 1;
    m_view->pageNavigator()->jump(index, QPointF(), m_view->pageNavigator()->currentZoom());
}

int TFormPDF2::currentPage() const
{
    if (pageCount() <= 0)
        return 0;
    return m_view->pageNavigator()->currentPage() + 1;
}

int TFormPDF2::pageCount() const
{
    return m_document ? m_document->pageCount() : 0;
}

void TFormPDF2::closeEvent(QCloseEvent* event)
{
    event->accept();
    emit closedByUser();
}

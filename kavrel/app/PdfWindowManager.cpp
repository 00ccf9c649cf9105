#include "PdfWindowManager.h"

#include "MessageBoxService.h"
#include "TFormPDF2.h"
#include "WinPath.h"

PdfWindowManager::PdfWindowManager(QWidget* owner, const QString& languageCode)
    : QObject(owner), m_owner(owner), m_language(languageCode)
{
}

PdfWindowManager::~PdfWindowManager()
{
    delete m_window.data();
}

bool PdfWindowManager::ensureWindow()
{
    if (m_window)
        return true;
    m_window = TFormPDF2::create(m_owner, m_language);
    if (!m_window) {
        MessageBoxService::show(m_owner, TFormPDF2::NoViewerMessage, QStringLiteral("KAVREL"),
                                MessageBoxService::Ok, MessageBoxService::Warning);
        return false;
    }
    connect(m_window.data(), &TFormPDF2::closedByUser, this,
            &PdfWindowManager::windowClosedByUser);
    return true;
}

bool PdfWindowManager::refuse(const QString& notice)
{
    if (m_window->isVisible()) {
        m_window->showNotice(notice);
        m_loaded.clear();
    }
    return false;
}

bool PdfWindowManager::showDocument(const QString& path, int page)
{
    if (!ensureWindow())
        return false;
    if (!WinPath::exists(path))
        return refuse(m_window->texts().missing.arg(WinPath::toNative(path)));
    if (page <= 0)
        return refuse(m_window->texts().noPage);
    if (path != m_loaded) {
        // A damaged file must not count as shown: the modes stay off, the
        // window says why, and the next request tries to load it again.
        m_loaded.clear();
        if (!m_window->loadDocument(path)) {
            m_window->bringToFront();
            return false;
        }
        m_loaded = path;
    }
    // Shown first: the viewer lays the pages out for its size, and a jump
    // made before that would be clamped to the pages of a hidden window.
    m_window->bringToFront();
    m_window->goToPage(page);
    return true;
}

void PdfWindowManager::closePdfWindows()
{
    delete m_window.data();
    m_window.clear();
    m_loaded.clear();
    m_catalogueMode = false;
    m_technicalMode = false;
}

bool PdfWindowManager::showCatalogue(const QString& document, int page)
{
    if (!showDocument(document, page))
        return false;
    m_catalogueMode = true;
    m_technicalMode = false;
    return true;
}

bool PdfWindowManager::showTechnicalData(const QString& document, int page)
{
    if (!showDocument(document, page))
        return false;
    m_technicalMode = true;
    m_catalogueMode = false;
    return true;
}

void PdfWindowManager::followFocus(const QString& catalogueDocument, int cataloguePage,
                                   const QString& technicalDocument, int technicalPage)
{
    if (m_catalogueMode)
        showDocument(catalogueDocument, cataloguePage);
    else if (m_technicalMode)
        showDocument(technicalDocument, technicalPage);
}

bool PdfWindowManager::showCertificate(const QString& document)
{
    m_certificate = document;
    return showDocument(document, 1);
}

void PdfWindowManager::noCertificate()
{
    closePdfWindows();
    m_certificate.clear();
}

void PdfWindowManager::windowClosedByUser()
{
    // The close event is still being delivered to the window; destroy it
    // once that is complete.
    TFormPDF2* closing = m_window.data();
    m_window.clear();
    m_loaded.clear();
    m_catalogueMode = false;
    m_technicalMode = false;
    if (closing)
        closing->deleteLater();
}

#pragma once

#include "TFormPDF2.h"

#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;

// Which document the PDF window shows and whether it follows the tree focus.
// At most one PDF window exists; it is created on the first request and
// destroyed when the user closes it or the catalogue closes it (certificate
// tab, focus on a group while certificates are shown).
class PdfWindowManager : public QObject
{
    Q_OBJECT
public:
    // The window's own texts follow `languageCode`.
    explicit PdfWindowManager(QWidget* owner, const QString& languageCode = QString());
    ~PdfWindowManager() override;

    // Shows document `path` (program path) at page `page` (from 1): creates
    // the window when there is none, loads the document only when it differs
    // from the one loaded, turns the page, and brings the window to the
    // front without taking the keyboard from the main window.
    // False when the file does not exist, the page is not positive, no
    // viewer can be created or the file is not a readable PDF. A visible
    // window then shows why instead of its document, which the user would
    // otherwise take for the one asked for; a hidden one stays hidden,
    // except for a file that is there but cannot be read, which is shown
    // so that the user learns it.
    bool showDocument(const QString& path, int page);
    // Destroys the window (it writes its placement), forgets the document
    // and switches both follow modes off.
    void closePdfWindows();

    // "PDF Catalogue" and "Technical Data PDF": on success the window
    // follows the focus with that document; the other mode goes off.
    bool showCatalogue(const QString& document, int page);
    bool showTechnicalData(const QString& document, int page);
    // Called by every focus change with the new node's documents and pages.
    void followFocus(const QString& catalogueDocument, int cataloguePage,
                     const QString& technicalDocument, int technicalPage);
    // Help and certificates leave the modes as they are.
    bool showHelp(const QString& document) { return showDocument(document, 1); }
    bool showCertificate(const QString& document);
    // A product without certificates: close the window, forget the document.
    void noCertificate();

    TFormPDF2* window() const { return m_window; }
    const QString& loadedDocument() const { return m_loaded; }
    const QString& certificateDocument() const { return m_certificate; }
    bool catalogueMode() const { return m_catalogueMode; }
    bool technicalDataMode() const { return m_technicalMode; }

private:
    bool ensureWindow();
    bool refuse(const QString& notice);
    void windowClosedByUser();

    QWidget* m_owner;
    QString m_language;
    QPointer<TFormPDF2> m_window;
    QString m_loaded;
    QString m_certificate;
    bool m_catalogueMode = false;
    bool m_technicalMode = false;
};

#pragma once

#include <QString>
#include <QWidget>
#include <functional>

class QPdfDocument;
class QPdfView;

// The PDF window: a top-level window of the main window that hosts the PDF
// viewer filling it. It is created on request, reads its placement from
// section "OknoPDF" of the configuration, writes it back when it is
// destroyed, and tells its owner when the user has closed it (the owner
// then destroys it).
class TFormPDF2 : public QWidget
{
    Q_OBJECT
public:
    static inline const QString NoViewerMessage = QStringLiteral(
        "Unable to connect to Acrobat. Please check your Acrobat 7.x or 6.x installation !");

    // Creates the window with its viewer and placement. Returns nullptr
    // (having destroyed whatever was made) when the viewer cannot be
    // created; the caller reports that.
    static TFormPDF2* create(QWidget* owner);

    // Whether a viewer can be created; replaced by tests to play a system
    // without one. An empty function restores the real probe.
    using ViewerProbe = std::function<bool(TFormPDF2& window)>;
    static void setViewerProbe(ViewerProbe probe);

    ~TFormPDF2() override;

    // Loads a document (program path). False when it cannot be read as PDF.
    bool loadDocument(const QString& path);
    // Turns to page `page`, counted from 1 (clamped to the document).
    void goToPage(int page);
    // The page shown, counted from 1; 0 without a document.
    int currentPage() const;
    int pageCount() const;
    QString documentPath() const { return m_path; }
    // How often a document was actually loaded (tests: reload only when the
    // path changes).
    int loadCount() const { return m_loadCount; }

    QPdfDocument* document() const { return m_document; }
    QPdfView* view() const { return m_view; }

    // The default placement on the primary screen: the right half of it.
    static QRect defaultPlacement();

signals:
    // The user closed the window; the owner destroys it.
    void closedByUser();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    explicit TFormPDF2(QWidget* owner);
    void readPlacement();
    void writePlacement() const;
    static QString configurationFile();

    QPdfDocument* m_document = nullptr;
    QPdfView* m_view = nullptr;
    QString m_path;
    int m_loadCount = 0;
};

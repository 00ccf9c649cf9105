#pragma once

#include "PdfWindowTexts.h"

#include <QRect>
#include <QString>
#include <QWidget>
#include <functional>

class QAction;
class QKeySequence;
class QLabel;
class QLineEdit;
class QPagedPaintDevice;
class QPdfDocument;
class QPdfSearchModel;
class QPdfView;
class QSpinBox;
class QToolBar;

// The PDF window: a top-level window of the main window with a tool bar
// (pages, zoom, print, find) above the PDF view. It is created on request,
// takes its placement from section "OknoPDF" of the configuration, writes
// it back when it is destroyed, and tells its owner when the user has
// closed it (the owner then destroys it). Where a document cannot be shown
// it shows a notice instead, so that it never goes on showing a document
// that was not asked for.
class TFormPDF2 : public QWidget
{
    Q_OBJECT
public:
    static inline const QString NoViewerMessage = QStringLiteral(
        "Unable to connect to Acrobat. Please check your Acrobat 7.x or 6.x installation !");

    // Creates the window with its viewer, texts of the language and
    // placement. Returns nullptr (having destroyed whatever was made) when
    // the PDF module cannot load documents; the caller reports that.
    static TFormPDF2* create(QWidget* owner, const QString& languageCode = QString());

    // Whether a viewer can be created; replaced by tests to play a system
    // without one. An empty function restores the real probe.
    using ViewerProbe = std::function<bool(TFormPDF2& window)>;
    static void setViewerProbe(ViewerProbe probe);

    ~TFormPDF2() override;

    // Loads a document (program path); its file name becomes the title.
    // False, with the notice shown, when it cannot be read as PDF.
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

    // Closes the document and shows `text` in its place.
    void showNotice(const QString& text);
    // The notice shown; empty while a document is shown.
    QString notice() const;
    const PdfWindowTexts& texts() const { return m_texts; }

    // Shows the window and brings it to the front without taking the
    // keyboard from the window that has it (the tree goes on moving with
    // the arrow keys while the window follows it).
    void bringToFront();

    // Zoom: by steps of a quarter, or fitting the width or the whole page.
    void zoomIn();
    void zoomOut();
    void fitWidth();
    void fitPage();
    // The zoom factor in use (1 = the page's size in points at the
    // screen's resolution).
    double zoomFactor() const;

    // Finds `text` in the document and shows the first match; the matches
    // arrive while the pages are searched.
    void find(const QString& text);
    void findNext();
    void findPrevious();
    // Matches found so far and the one shown (from 0; -1 for none).
    int matchCount() const;
    int currentMatch() const { return m_match; }

    // The print dialog, then the pages chosen there.
    void print();
    // Prints pages `from` to `to` (from 1) on `device` without a dialog.
    bool printTo(QPagedPaintDevice& device, int from, int to, QString* error = nullptr);

    QPdfDocument* document() const { return m_document; }
    QPdfView* view() const { return m_view; }

    // The placement of the window frame, title bar included: what is stored
    // in "OknoPDF" and what a stored placement sets.
    QRect placement() const;
    // Places the frame at `frame`, moved and shrunk as needed to lie on the
    // available area of the screen where it opens.
    void setPlacement(const QRect& frame);
    // The default: the right half of the primary screen's available area.
    static QRect defaultPlacement();

    // ---- Tool bar, for tests and keyboard shortcuts.
    QToolBar* ToolBar = nullptr;
    QAction* ActPrevious = nullptr;
    QAction* ActNext = nullptr;
    QSpinBox* PageBox = nullptr;
    QLabel* PageCount = nullptr;
    QAction* ActZoomOut = nullptr;
    QAction* ActZoomIn = nullptr;
    QAction* ActFitWidth = nullptr;
    QAction* ActFitPage = nullptr;
    QAction* ActPrint = nullptr;
    QLineEdit* FindEdit = nullptr;
    QAction* ActFindPrevious = nullptr;
    QAction* ActFindNext = nullptr;
    QLabel* FindStatus = nullptr;
    QLabel* Notice = nullptr;

signals:
    // The user closed the window; the owner destroys it.
    void closedByUser();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TFormPDF2(QWidget* owner, const QString& languageCode);
    void buildToolBar();
    void buildFindTools();
    QAction* addTool(int glyph, const QString& tip, const QKeySequence& key);
    void readPlacement();
    void writePlacement() const;
    void applyPlacement();
    void updatePageControls();
    void updateFindStatus();
    void showMatch(int index);
    void setZoom(double factor);

    PdfWindowTexts m_texts;
    QPdfDocument* m_document = nullptr;
    QPdfView* m_view = nullptr;
    QPdfSearchModel* m_search = nullptr;
    QString m_path;
    int m_loadCount = 0;
    int m_match = -1;
    QRect m_placement;      // the frame asked for, on the screen
    bool m_placed = false;  // placement read: written back on destruction
    bool m_wasShown = false;
};

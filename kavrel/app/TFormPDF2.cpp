#include "TFormPDF2.h"

#include "KavrelConfig.h"
#include "MessageBoxService.h"
#include "PdfPagePrinter.h"
#include "PdfSupport.h"
#include "PrivateProfile.h"
#include "WinPath.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPdfDocument>
#include <QPdfPageNavigator>
#include <QPdfSearchModel>
#include <QPdfView>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QSpinBox>
#include <QPainter>
#include <QPixmap>
#include <QToolBar>
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
constexpr double ZoomStep = 1.25;
constexpr double MinZoom = 0.1;
constexpr double MaxZoom = 8.0;
constexpr int MinWidth = 320;
constexpr int MinHeight = 240;

void chevron(QPainter& p, QPointF a, QPointF tip, QPointF b)
{
    const QPointF points[] = {a, tip, b};
    p.drawPolyline(points, 3);
}

enum class Glyph
{
    Up,
    Down,
    ZoomOut,
    ZoomIn,
    FitWidth,
    FitPage,
    Print,
    Left,
    Right
};

// Draws `glyph` on a 20 x 20 grid.
void draw(QPainter& p, Glyph glyph)
{
    switch (glyph) {
    case Glyph::Up:
        return chevron(p, {5, 12.5}, {10, 7.5}, {15, 12.5});
    case Glyph::Down:
        return chevron(p, {5, 7.5}, {10, 12.5}, {15, 7.5});
    case Glyph::Left:
        return chevron(p, {12, 5}, {7, 10}, {12, 15});
    case Glyph::Right:
        return chevron(p, {8, 5}, {13, 10}, {8, 15});
    case Glyph::ZoomOut:
    case Glyph::ZoomIn:
        p.drawEllipse(QPointF(8, 8), 5.5, 5.5);
        p.drawLine(QPointF(12, 12), QPointF(17.5, 17.5));
        p.drawLine(QPointF(5.5, 8), QPointF(10.5, 8));
        if (glyph == Glyph::ZoomIn)
            p.drawLine(QPointF(8, 5.5), QPointF(8, 10.5));
        return;
    case Glyph::FitWidth:
        p.drawRect(QRectF(2.5, 4.5, 15, 11));
        p.drawLine(QPointF(5, 10), QPointF(15, 10));
        chevron(p, {7, 8}, {5, 10}, {7, 12});
        return chevron(p, {13, 8}, {15, 10}, {13, 12});
    case Glyph::FitPage:
        p.drawRect(QRectF(5, 2.5, 10, 15));
        for (double y : {7.0, 10.0, 13.0})
            p.drawLine(QPointF(7.5, y), QPointF(12.5, y));
        return;
    case Glyph::Print:
        p.drawRect(QRectF(2.5, 7.5, 15, 7));
        p.drawRect(QRectF(6, 2.5, 8, 5));
        p.drawRect(QRectF(6, 12, 8, 5.5));
        return;
    }
}

// The tool bar's icons: plain line drawings made here, so that the window
// looks the same whether or not the desktop has an icon theme.
QIcon lineIcon(Glyph glyph)
{
    QPixmap pixmap(40, 40);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(2, 2); // sharp on dense screens
    painter.setPen(QPen(QColor(50, 50, 50), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    draw(painter, glyph);
    painter.end();
    pixmap.setDevicePixelRatio(2);
    return QIcon(pixmap);
}

QScreen* screenFor(const QRect& frame)
{
    if (QScreen* screen = QGuiApplication::screenAt(frame.center()))
        return screen;
    if (QScreen* screen = QGuiApplication::screenAt(frame.topLeft()))
        return screen;
    return QGuiApplication::primaryScreen();
}

} // namespace

void TFormPDF2::setViewerProbe(ViewerProbe probe)
{
    viewerProbe() = std::move(probe);
}

TFormPDF2::TFormPDF2(QWidget* owner, const QString& languageCode)
    : QWidget(owner, Qt::Window), m_texts(PdfWindowTexts::forLanguage(languageCode))
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    // Brought to the front while the user moves in the tree: it must not
    // take the keyboard (a system that honours this never activates it).
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowTitle(QString());
    m_document = new QPdfDocument(this);
    m_view = new QPdfView(this);
    m_view->setPageMode(QPdfView::PageMode::MultiPage);
    m_view->setZoomMode(QPdfView::ZoomMode::FitToWidth);
    m_view->setDocument(m_document);
    m_search = new QPdfSearchModel(this);
    m_search->setDocument(m_document);

    // The notice lies over the (then empty) view rather than taking its
    // place: a view that was hidden would lay its pages out anew once shown
    // and lose the page it was turned to.
    Notice = new QLabel(m_view->viewport());
    Notice->setObjectName(QStringLiteral("Notice"));
    Notice->setAlignment(Qt::AlignCenter);
    Notice->setWordWrap(true);
    Notice->setMargin(24);
    Notice->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Notice->setAutoFillBackground(true);
    Notice->hide();
    m_view->viewport()->installEventFilter(this);

    buildToolBar();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ToolBar);
    layout->addWidget(m_view, 1);

    connect(m_view->pageNavigator(), &QPdfPageNavigator::currentPageChanged, this,
            &TFormPDF2::updatePageControls);
    // The pages are searched one after another; the first match is shown as
    // soon as it is found.
    const auto matchesChanged = [this] {
        if (m_match < 0 && matchCount() > 0)
            showMatch(0);
        updateFindStatus();
    };
    connect(m_search, &QAbstractItemModel::rowsInserted, this, matchesChanged);
    connect(m_search, &QAbstractItemModel::modelReset, this, matchesChanged);
    updatePageControls();
}

QAction* TFormPDF2::addTool(int glyph, const QString& tip, const QKeySequence& key)
{
    QAction* action = ToolBar->addAction(lineIcon(Glyph(glyph)), tip);
    action->setToolTip(tip);
    action->setShortcut(key);
    action->setShortcutContext(Qt::WindowShortcut);
    return action;
}

void TFormPDF2::buildToolBar()
{
    ToolBar = new QToolBar(this);
    ToolBar->setObjectName(QStringLiteral("ToolBar"));
    ToolBar->setIconSize(QSize(20, 20));

    ActPrevious = addTool(int(Glyph::Up), m_texts.previousPage, QKeySequence(Qt::Key_PageUp));
    connect(ActPrevious, &QAction::triggered, this, [this] { goToPage(currentPage() - 1); });
    ActNext = addTool(int(Glyph::Down), m_texts.nextPage, QKeySequence(Qt::Key_PageDown));
    connect(ActNext, &QAction::triggered, this, [this] { goToPage(currentPage() + 1); });
    PageBox = new QSpinBox(ToolBar);
    PageBox->setObjectName(QStringLiteral("PageBox"));
    PageBox->setToolTip(m_texts.page);
    PageBox->setKeyboardTracking(false);
    PageBox->setButtonSymbols(QAbstractSpinBox::NoButtons);
    PageBox->setAlignment(Qt::AlignRight);
    PageBox->setMinimumWidth(44);
    connect(PageBox, &QSpinBox::valueChanged, this, [this](int page) {
        if (page != currentPage())
            goToPage(page);
    });
    ToolBar->addWidget(PageBox);
    PageCount = new QLabel(ToolBar);
    PageCount->setObjectName(QStringLiteral("PageCount"));
    PageCount->setContentsMargins(4, 0, 8, 0);
    ToolBar->addWidget(PageCount);
    ToolBar->addSeparator();

    ActZoomOut = addTool(int(Glyph::ZoomOut), m_texts.zoomOut, QKeySequence::ZoomOut);
    connect(ActZoomOut, &QAction::triggered, this, &TFormPDF2::zoomOut);
    ActZoomIn = addTool(int(Glyph::ZoomIn), m_texts.zoomIn, QKeySequence::ZoomIn);
    connect(ActZoomIn, &QAction::triggered, this, &TFormPDF2::zoomIn);
    ActFitWidth = addTool(int(Glyph::FitWidth), m_texts.fitWidth, QKeySequence());
    connect(ActFitWidth, &QAction::triggered, this, &TFormPDF2::fitWidth);
    ActFitPage = addTool(int(Glyph::FitPage), m_texts.fitPage, QKeySequence());
    connect(ActFitPage, &QAction::triggered, this, &TFormPDF2::fitPage);
    ToolBar->addSeparator();
    ActPrint = addTool(int(Glyph::Print), m_texts.print, QKeySequence::Print);
    connect(ActPrint, &QAction::triggered, this, &TFormPDF2::print);
    ToolBar->addSeparator();
    buildFindTools();
}

void TFormPDF2::buildFindTools()
{
    FindEdit = new QLineEdit(ToolBar);
    FindEdit->setObjectName(QStringLiteral("FindEdit"));
    FindEdit->setPlaceholderText(m_texts.find);
    FindEdit->setToolTip(m_texts.find);
    FindEdit->setClearButtonEnabled(true);
    FindEdit->setMaximumWidth(140);
    // A new text starts a new search; Enter on the same text goes on.
    connect(FindEdit, &QLineEdit::returnPressed, this, [this] {
        if (FindEdit->text() == m_search->searchString())
            findNext();
        else
            find(FindEdit->text());
    });
    ToolBar->addWidget(FindEdit);
    ActFindPrevious = addTool(int(Glyph::Left), m_texts.findPrevious, QKeySequence::FindPrevious);
    connect(ActFindPrevious, &QAction::triggered, this, &TFormPDF2::findPrevious);
    ActFindNext = addTool(int(Glyph::Right), m_texts.findNext, QKeySequence::FindNext);
    connect(ActFindNext, &QAction::triggered, this, &TFormPDF2::findNext);
    auto* focusFind = new QAction(this);
    focusFind->setShortcut(QKeySequence::Find);
    connect(focusFind, &QAction::triggered, FindEdit, [this] {
        FindEdit->setFocus();
        FindEdit->selectAll();
    });
    addAction(focusFind);
    FindStatus = new QLabel(ToolBar);
    FindStatus->setObjectName(QStringLiteral("FindStatus"));
    FindStatus->setContentsMargins(6, 0, 6, 0);
    ToolBar->addWidget(FindStatus);
}

TFormPDF2* TFormPDF2::create(QWidget* owner, const QString& languageCode)
{
    auto* window = new TFormPDF2(owner, languageCode);
    const bool available =
        viewerProbe() ? viewerProbe()(*window) : PdfSupport::canLoadDocuments();
    if (!available) {
        // Nothing was shown or read yet, so no placement is written either.
        delete window;
        return nullptr;
    }
    window->readPlacement();
    return window;
}

TFormPDF2::~TFormPDF2()
{
    // The view and the search model are destroyed with the children, after
    // this window has stopped being a TFormPDF2; their last signals must not
    // reach it.
    if (m_view)
        disconnect(m_view->pageNavigator(), nullptr, this, nullptr);
    if (m_search)
        disconnect(m_search, nullptr, this, nullptr);
    if (m_placed)
        writePlacement();
}

QRect TFormPDF2::defaultPlacement()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    return QRect(area.x() + area.width() / 2 - 1, area.y(), area.width() / 2, area.height());
}

QRect TFormPDF2::placement() const
{
    // Before it was shown the window's frame is not known: what was asked
    // for is what it has.
    return m_wasShown ? frameGeometry() : m_placement;
}

void TFormPDF2::setPlacement(const QRect& frame)
{
    const QRect area = screenFor(frame)->availableGeometry();
    QRect placed(frame.topLeft(), frame.size().expandedTo(QSize(MinWidth, MinHeight))
                                      .boundedTo(area.size()));
    placed.moveLeft(std::clamp(placed.left(), area.left(), area.right() + 1 - placed.width()));
    placed.moveTop(std::clamp(placed.top(), area.top(), area.bottom() + 1 - placed.height()));
    m_placement = placed;
    applyPlacement();
}

void TFormPDF2::applyPlacement()
{
    // A window's position is that of its frame; its size is that of the
    // inside, so the frame's margins come off (known once it is shown).
    const QRect frame = frameGeometry();
    const QRect inside = geometry();
    const QMargins margins(inside.left() - frame.left(), inside.top() - frame.top(),
                           frame.right() - inside.right(), frame.bottom() - inside.bottom());
    move(m_placement.topLeft());
    resize(m_placement.size().shrunkBy(margins));
}

void TFormPDF2::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_wasShown) {
        m_wasShown = true;
        // Now that the frame is there, its margins are known.
        if (m_placed)
            applyPlacement();
    }
}

void TFormPDF2::readPlacement()
{
    QRect frame = defaultPlacement();
    const QString file = KavrelConfig::path();
    if (file != KavrelConfig::missing()) {
        // Left, Top, Width, Height in this order; the first value that is
        // not a whole number ends the reading, the values already read stay.
        int value = 0;
        const auto read = [&](const char* key, int current) {
            return parseWholeNumber(PrivateProfile::getString(Section, QString::fromLatin1(key),
                                                              QString::number(current), file),
                                    &value);
        };
        if (read("Left", frame.left())) {
            frame.moveLeft(value);
            if (read("Top", frame.top())) {
                frame.moveTop(value);
                if (read("Width", frame.width())) {
                    frame.setWidth(value);
                    if (read("Height", frame.height()))
                        frame.setHeight(value);
                }
            }
        }
    }
    m_placed = true;
    setPlacement(frame);
}

void TFormPDF2::writePlacement() const
{
    const QString file = KavrelConfig::path();
    if (file == KavrelConfig::missing())
        return;
    const QRect frame = placement();
    PrivateProfile::writeString(Section, QStringLiteral("Left"), QString::number(frame.left()),
                                file);
    PrivateProfile::writeString(Section, QStringLiteral("Top"), QString::number(frame.top()),
                                file);
    PrivateProfile::writeString(Section, QStringLiteral("Width"), QString::number(frame.width()),
                                file);
    PrivateProfile::writeString(Section, QStringLiteral("Height"),
                                QString::number(frame.height()), file);
}

bool TFormPDF2::loadDocument(const QString& path)
{
    ++m_loadCount;
    m_search->setSearchString(QString());
    m_match = -1;
    const QPdfDocument::Error error = m_document->load(WinPath::toNative(path));
    if (error != QPdfDocument::Error::None) {
        showNotice(m_texts.unreadable.arg(WinPath::toNative(path)));
        return false;
    }
    m_path = path;
    setWindowTitle(QFileInfo(WinPath::toNative(path)).fileName());
    Notice->hide();
    updatePageControls();
    updateFindStatus();
    return true;
}

void TFormPDF2::showNotice(const QString& text)
{
    m_search->setSearchString(QString());
    m_match = -1;
    m_document->close();
    m_path.clear();
    setWindowTitle(QString());
    Notice->setText(text);
    Notice->setGeometry(m_view->viewport()->rect());
    Notice->show();
    updatePageControls();
    updateFindStatus();
}

QString TFormPDF2::notice() const
{
    return Notice->isHidden() ? QString() : Notice->text();
}

bool TFormPDF2::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_view->viewport() && event->type() == QEvent::Resize)
        Notice->setGeometry(m_view->viewport()->rect());
    return QWidget::eventFilter(watched, event);
}

void TFormPDF2::bringToFront()
{
    // Where the platform activates a window it shows all the same, the
    // window that had the keyboard gets it back.
    QWidget* active = QApplication::activeWindow();
    show();
    raise();
    if (active && active != this)
        active->activateWindow();
}

void TFormPDF2::goToPage(int page)
{
    const int count = pageCount();
    if (count <= 0)
        return;
    const int index = std::clamp(page, 1, count) - 1;
    // A document just loaded may have brought the vertical scroll bar, which
    // narrows the view and so the pages fitted to its width: settle that
    // first, or the jump lands on a later page once it happens.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    m_view->pageNavigator()->jump(index, QPointF(), m_view->pageNavigator()->currentZoom());
    updatePageControls();
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

void TFormPDF2::updatePageControls()
{
    const int count = pageCount();
    const int page = currentPage();
    {
        const QSignalBlocker quiet(PageBox);
        PageBox->setRange(count > 0 ? 1 : 0, count);
        PageBox->setValue(page);
    }
    PageCount->setText(count > 0 ? m_texts.pageOf.arg(count) : QString());
    const bool loaded = count > 0;
    PageBox->setEnabled(loaded);
    ActPrevious->setEnabled(loaded && page > 1);
    ActNext->setEnabled(loaded && page < count);
    for (QAction* a : {ActZoomOut, ActZoomIn, ActFitWidth, ActFitPage, ActPrint, ActFindPrevious,
                       ActFindNext})
        a->setEnabled(loaded);
    FindEdit->setEnabled(loaded);
}

double TFormPDF2::zoomFactor() const
{
    if (m_view->zoomMode() == QPdfView::ZoomMode::Custom || pageCount() <= 0)
        return m_view->zoomFactor();
    // In the fit modes the view works the factor out for itself: the same
    // sums, so that zooming goes on from the size the user sees.
    const QSizeF page = m_document->pagePointSize(std::max(currentPage() - 1, 0)) *
                        (logicalDpiX() / 72.0);
    const QMargins margins = m_view->documentMargins();
    const QSize room = m_view->viewport()->size() -
                       QSize(margins.left() + margins.right(), margins.top() + margins.bottom());
    if (page.isEmpty() || room.isEmpty())
        return 1.0;
    const double width = room.width() / page.width();
    if (m_view->zoomMode() == QPdfView::ZoomMode::FitToWidth)
        return width;
    return std::min(width, room.height() / page.height());
}

void TFormPDF2::setZoom(double factor)
{
    const int page = currentPage();
    m_view->setZoomMode(QPdfView::ZoomMode::Custom);
    m_view->setZoomFactor(std::clamp(factor, MinZoom, MaxZoom));
    // The page the user was reading stays in view.
    goToPage(page);
}

void TFormPDF2::zoomIn()
{
    setZoom(zoomFactor() * ZoomStep);
}

void TFormPDF2::zoomOut()
{
    setZoom(zoomFactor() / ZoomStep);
}

void TFormPDF2::fitWidth()
{
    const int page = currentPage();
    m_view->setZoomMode(QPdfView::ZoomMode::FitToWidth);
    goToPage(page);
}

void TFormPDF2::fitPage()
{
    const int page = currentPage();
    m_view->setZoomMode(QPdfView::ZoomMode::FitInView);
    goToPage(page);
}

void TFormPDF2::find(const QString& text)
{
    if (FindEdit->text() != text) {
        const QSignalBlocker quiet(FindEdit);
        FindEdit->setText(text);
    }
    m_match = -1;
    m_search->setSearchString(text);
    updateFindStatus();
}

int TFormPDF2::matchCount() const
{
    return m_search->searchString().isEmpty() ? 0 : m_search->rowCount(QModelIndex());
}

void TFormPDF2::findNext()
{
    const int count = matchCount();
    if (count > 0)
        showMatch((m_match + 1) % count);
}

void TFormPDF2::findPrevious()
{
    const int count = matchCount();
    if (count > 0)
        showMatch((m_match - 1 + count) % count);
}

void TFormPDF2::showMatch(int index)
{
    const QPdfLink match = m_search->resultAtIndex(index);
    if (!match.isValid())
        return;
    m_match = index;
    m_view->pageNavigator()->jump(match.page(), match.location(),
                                  m_view->pageNavigator()->currentZoom());
    updatePageControls();
    updateFindStatus();
}

void TFormPDF2::updateFindStatus()
{
    const int count = matchCount();
    if (m_search->searchString().isEmpty())
        FindStatus->clear();
    else if (count == 0)
        FindStatus->setText(m_texts.notFound);
    else
        FindStatus->setText(m_texts.matchOf.arg(std::max(m_match, 0) + 1).arg(count));
}

bool TFormPDF2::printTo(QPagedPaintDevice& device, int from, int to, QString* error)
{
    return PdfPagePrinter::print(*m_document, device, from, to, error);
}

void TFormPDF2::print()
{
    const int count = pageCount();
    if (count <= 0)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(windowTitle());
    printer.setFromTo(1, count);
    QPrintDialog dialog(&printer, this);
    dialog.setMinMax(1, count);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage);
    if (dialog.exec() != QDialog::Accepted)
        return;
    int from = 1;
    int to = count;
    if (printer.printRange() == QPrinter::PageRange) {
        from = printer.fromPage();
        to = printer.toPage();
    } else if (printer.printRange() == QPrinter::CurrentPage) {
        from = to = currentPage();
    }
    QString error;
    if (!printTo(printer, from, to, &error))
        MessageBoxService::show(this, m_texts.printFailed + QStringLiteral("\n") + error,
                                windowTitle(), MessageBoxService::Ok, MessageBoxService::Warning);
}

void TFormPDF2::closeEvent(QCloseEvent* event)
{
    event->accept();
    emit closedByUser();
}

#include "TFSearch.h"

#include "MessageBoxService.h"

#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

TFSearch::TFSearch(QWidget* owner, const QString& languageCode, SearchRoutine search)
    : QDialog(owner), m_language(languageCode), m_search(std::move(search))
{
    setObjectName(QStringLiteral("TFSearch"));
    // A tool window with a title and a close button only: the window is 153
    // pixels wide, and minimise and maximise buttons would leave no room for
    // its title.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(QStringLiteral("SEARCH"));
    setFixedSize(153, 92);

    Label1 = new QLabel(QStringLiteral("CODE NO.:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(8, 4, 137, 16);

    MEdit1 = new QLineEdit(this);
    MEdit1->setObjectName(QStringLiteral("MEdit1"));
    // Nine optional digit positions; unfilled ones show as '*'.
    MEdit1->setInputMask(QStringLiteral("000000000;*"));
    // The platform's fixed font is not always fixed-pitch (offscreen and
    // minimal platforms answer with a proportional face): pick one that is.
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    for (const QString& family :
         {QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"),
          QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Noto Sans Mono")}) {
        if (QFontDatabase::hasFamily(family) && QFontDatabase::isFixedPitch(family)) {
            font.setFamily(family);
            break;
        }
    }
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setPixelSize(16);
    font.setBold(true);
    font.setUnderline(true);
    MEdit1->setFont(font);
    MEdit1->setGeometry(8, 22, 137, 28);

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    // Enter is handled by the code field's own key press; a default button
    // would run the search a second time.
    Button1->setAutoDefault(false);
    Button1->setDefault(false);
    Button1->setGeometry(40, 58, 73, 26);
    connect(Button1, &QPushButton::clicked, this, &TFSearch::Button1Click);

    MEdit1->installEventFilter(this);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    MEdit1->setFocus();
}

TFSearch::Captions TFSearch::captionsFor(const QString& code)
{
    if (code == QLatin1String("SLO"))
        return {QStringLiteral("IŠČI"), QStringLiteral("ŠIFRA")};
    if (code == QLatin1String("ANG"))
        return {QStringLiteral("SEARCH"), QStringLiteral("CODE No.")};
    if (code == QLatin1String("NEM"))
        return {QStringLiteral("SUCHE"), QStringLiteral("KODE")};
    if (code == QLatin1String("HRV"))
        return {QStringLiteral("TRAŽI"), QStringLiteral("ŠIFRA")};
    if (code == QLatin1String("POL"))
        return {QStringLiteral("SZUKAJ"), QStringLiteral("Nr. kodowy")};
    return {QStringLiteral("SEARCH"), QStringLiteral("CODE NO.:")};
}

TFSearch::Captions TFSearch::notFoundFor(const QString& code)
{
    if (code == QLatin1String("SLO"))
        return {QStringLiteral("NE NAJDEM!"), QStringLiteral("OPOZORILO")};
    if (code == QLatin1String("ANG") || code == QLatin1String("NEM"))
        return {QStringLiteral("CANNOT FIND!"), QStringLiteral("WARNING")};
    if (code == QLatin1String("HRV"))
        return {QStringLiteral("NE NAĐEM!"), QStringLiteral("UPOZORENJE")};
    if (code == QLatin1String("POL"))
        return {QStringLiteral("NIE ZNALEZIONO!"), QStringLiteral("WARNING")};
    return {};
}

QString TFSearch::code() const
{
    return MEdit1->text();
}

void TFSearch::showEvent(QShowEvent* event)
{
    const Captions captions = captionsFor(m_language);
    setWindowTitle(captions.caption);
    Label1->setText(captions.label);
    QDialog::showEvent(event);
    MEdit1->setFocus();
}

bool TFSearch::eventFilter(QObject* watched, QEvent* event)
{
    // The search starts on the press of Enter, once. The not-found box
    // closes on a press too, and the release of that Enter then reaches the
    // code field: starting on the release would search again and bring the
    // box back for ever. A held key's repeats start nothing either.
    if (watched == MEdit1 && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat() && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            runSearch();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFSearch::Button1Click()
{
    runSearch();
}

void TFSearch::runSearch()
{
    // The not-found box runs its own event loop; a second Enter meanwhile
    // must not start a second search.
    if (m_searching || !m_search)
        return;
    m_searching = true;
    const bool found = m_search(code());
    if (found) {
        m_searching = false;
        close();
        return;
    }
    const Captions message = notFoundFor(m_language);
    if (!message.caption.isEmpty())
        MessageBoxService::show(this, message.caption, message.label,
                                MessageBoxService::Ok | MessageBoxService::Cancel,
                                MessageBoxService::Warning);
    m_searching = false;
    MEdit1->setFocus();
}

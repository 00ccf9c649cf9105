#include "TPageView.h"

#include "WinPath.h"

#include <QUrl>

TPageView::TPageView(QWidget* parent) : QTextBrowser(parent)
{
    setOpenLinks(false);
    setOpenExternalLinks(false);
    setUndoRedoEnabled(false);
    setTextInteractionFlags(Qt::NoTextInteraction);
    document()->setDocumentMargin(2);
    setFont(QFont(QStringLiteral("Arial")));
}

void TPageView::showPage(const QString& html, const QString& baseDir)
{
    QString base = WinPath::toNative(baseDir);
    if (!base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    document()->setBaseUrl(QUrl::fromLocalFile(base));
    setHtml(html);
    clearHistory();
}

QVariant TPageView::loadResource(int, const QUrl&)
{
    // Catalogue texts are shown as text only: no pictures, style sheets or
    // documents are fetched, whatever the markup names.
    return QVariant();
}

#pragma once

#include <QTextBrowser>

// The product page view htm1: rich text from the catalogue, read-only,
// without pictures, history, links or any network access; relative
// references resolve against the database directory but load nothing.
class TPageView : public QTextBrowser
{
    Q_OBJECT
public:
    explicit TPageView(QWidget* parent = nullptr);

    // Replaces the content; `baseDir` is a program path.
    void showPage(const QString& html, const QString& baseDir);

    QVariant loadResource(int type, const QUrl& name) override;
};

#pragma once

#include <QDialog>
#include <QString>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

// The search window: a small modeless window that takes a product code and
// hands it to the main window's search. It closes (and is destroyed) when
// the search succeeds; otherwise it says so in the user's language and
// stays open for another try.
class TFSearch : public QDialog
{
    Q_OBJECT
public:
    // The main window's search routine: true on success.
    using SearchRoutine = std::function<bool(const QString& code)>;

    TFSearch(QWidget* owner, const QString& languageCode, SearchRoutine search);

    struct Captions
    {
        QString caption;
        QString label;
    };
    // Captions by language; a code without its own keeps the design texts.
    static Captions captionsFor(const QString& languageCode);
    // Not-found message text and title; empty when the language has none.
    static Captions notFoundFor(const QString& languageCode);

    // The text of the code field as the search receives it.
    QString code() const;

    QLabel* Label1 = nullptr;
    QLineEdit* MEdit1 = nullptr;
    QPushButton* Button1 = nullptr;

public slots:
    void Button1Click();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void runSearch();

    QString m_language;
    SearchRoutine m_search;
    bool m_searching = false;
};

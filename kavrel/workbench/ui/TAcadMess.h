#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

// The workbench's message box: a centred title line, a centred multi-line
// text, the buttons OK and No, and a progress bar shown only in progress
// mode (then without buttons, shown without waiting). Questions go through
// the message-box service, so tests answer them like any other box.
class TAcadMess : public QDialog
{
    Q_OBJECT
public:
    explicit TAcadMess(QWidget* owner);

    // Asks modally; true for OK, false for No (or the box closed).
    static bool ask(QWidget* owner, const QString& title, const QString& text);

    // Progress mode: shows the box with `title` at once and returns; the
    // caller advances it with setProgress() and deletes it when done.
    static TAcadMess* showProgress(QWidget* owner, const QString& title);
    void setProgress(int value, int maximum);

    QLabel* Title = nullptr;
    QLabel* Text = nullptr;
    QPushButton* BtnOK = nullptr;
    QPushButton* BtnNo = nullptr;
    QProgressBar* Progress = nullptr;

private:
    void centreOnOwner();
};

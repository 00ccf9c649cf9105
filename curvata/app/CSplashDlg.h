#pragma once

#include <QDialog>

class QLabel;

// The window shown while the fuse database loads: no caption, centred, the
// program picture, the program's name and version and a status line.
class CSplashDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CSplashDlg(QWidget* parent = nullptr);

    // Changes the status line and paints it at once: the caller is about to
    // keep the window thread busy.
    void SetStatus(const QString& text);
    QString Status() const;

    // Shows the window centred on `over` (the screen when null), painted.
    void ShowCentred(QWidget* over);

private:
    QLabel* m_status = nullptr;
};

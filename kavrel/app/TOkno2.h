#pragma once

#include <QWidget>

// The splash window shown while the catalogue loads: borderless, black,
// 748 x 320, centred, one picture from the program's resources.
class TOkno2 : public QWidget
{
    Q_OBJECT
public:
    explicit TOkno2(QWidget* parent = nullptr);

    // Shows the window and paints it at once, before the event loop runs.
    void showNow();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_picture;
};

#pragma once

#include <QDialog>

class QLineEdit;

// "Random zooming dialog": the two zoom factors typed in, each from 0.3 to
// 30. A refused value keeps the dialog open with a message; "Default" puts 1
// into both fields.
class CRandomZoomDlg : public QDialog
{
    Q_OBJECT
public:
    CRandomZoomDlg(float factorX, float factorY, QWidget* parent = nullptr);

    float FactorX() const { return m_factorX; }
    float FactorY() const { return m_factorY; }
    QLineEdit* XField() const { return m_x; }
    QLineEdit* YField() const { return m_y; }

public slots:
    void accept() override;
    void OnDefault();

private:
    QLineEdit* m_x = nullptr;
    QLineEdit* m_y = nullptr;
    float m_factorX;
    float m_factorY;
};

#pragma once

#include "ConstLineTableTarget.h"

#include <QDialog>

class ConstLineSet;
class QLineEdit;
class QPushButton;
class QRadioButton;

// "Add const line": the name, value and kind of one new line. OK checks
// them against the Const Lines window's lines and stays open, telling the
// user why, until they are acceptable.
class CAddConstLineDlg : public QDialog
{
    Q_OBJECT
public:
    CAddConstLineDlg(const ConstLineSet& lines, QWidget* parent = nullptr);

    QString Name() const;
    float Value() const { return m_value; }
    ConstLineKind Kind() const;

    QLineEdit* NameEdit() const { return m_name; }
    QLineEdit* ValueEdit() const { return m_valueText; }
    QRadioButton* XButton() const { return m_x; }
    QRadioButton* YButton() const { return m_y; }
    QPushButton* OkButton() const { return m_ok; }

public slots:
    void accept() override;

private:
    const ConstLineSet& m_lines;
    float m_value = 0.0f;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_valueText = nullptr;
    QRadioButton* m_x = nullptr;
    QRadioButton* m_y = nullptr;
    QPushButton* m_ok = nullptr;
};

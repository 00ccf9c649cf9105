#pragma once

#include <QDialog>
#include <QSize>

class QComboBox;
class QLineEdit;
class QSpinBox;

// "Export chart": where to write the chart (PNG, PDF or SVG) and at what
// size in pixels, the view's size to begin with. A file name without one of
// the three suffixes gets the chosen format's.
class CExportChartDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CExportChartDlg(QSize defaultSize, QWidget* parent = nullptr);

    QString FileName() const { return m_fileName; }
    QSize ChartSize() const;

    QLineEdit* FileField() const { return m_file; }
    QComboBox* FormatField() const { return m_format; }
    QSpinBox* WidthField() const { return m_width; }
    QSpinBox* HeightField() const { return m_height; }

public slots:
    void accept() override;
    void OnBrowse();

private:
    QString Suffix() const;

    QLineEdit* m_file = nullptr;
    QComboBox* m_format = nullptr;
    QSpinBox* m_width = nullptr;
    QSpinBox* m_height = nullptr;
    QString m_fileName;
    QString m_confirmed;
};

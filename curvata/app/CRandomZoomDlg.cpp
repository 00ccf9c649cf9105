#include "CRandomZoomDlg.h"

#include "ChartZoom.h"
#include "MessageBoxService.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

namespace {

QString factorText(float factor)
{
    return QString::number(double(factor), 'g', 6);
}

} // namespace

CRandomZoomDlg::CRandomZoomDlg(float factorX, float factorY, QWidget* parent)
    : QDialog(parent), m_factorX(factorX), m_factorY(factorY)
{
    setObjectName(QStringLiteral("CRandomZoomDlg"));
    setWindowTitle(QStringLiteral("Random zooming dialog"));
    // The layout is given in dialog units (a quarter of the average
    // character width across, an eighth of the character height down), so
    // that it keeps its proportions with whatever font the desktop uses.
    const QFontMetrics metrics(font());
    const double ux = metrics.averageCharWidth() / 4.0;
    const double uy = metrics.height() / 8.0;
    // Fonts wider than the one the layout was made for would cut the labels
    // short: the fields and the dialog then move right by what is missing.
    auto* xLabel = new QLabel(QStringLiteral("X zooming scale"), this);
    auto* yLabel = new QLabel(QStringLiteral("Y zooming scale"), this);
    const int labelWidth = std::max(xLabel->sizeHint().width(), yLabel->sizeHint().width());
    const int widen = std::max(0, labelWidth + int(2 * ux) - int(60 * ux));
    auto place = [&](QWidget* w, int x, int y, int width, int height) {
        const int shift = x >= 76 ? widen : 0;
        w->setGeometry(int(x * ux) + shift, int(y * uy), int(width * ux), int(height * uy));
    };
    xLabel->setGeometry(int(16 * ux), int(12 * uy), std::max(labelWidth, int(58 * ux)),
                        int(9 * uy));
    yLabel->setGeometry(int(16 * ux), int(32 * uy), std::max(labelWidth, int(58 * ux)),
                        int(9 * uy));
    m_x = new QLineEdit(factorText(factorX), this);
    m_y = new QLineEdit(factorText(factorY), this);
    m_x->setObjectName(QStringLiteral("1000"));
    m_y->setObjectName(QStringLiteral("1001"));
    place(m_x, 76, 10, 60, 13);
    place(m_y, 76, 30, 60, 13);
    xLabel->setBuddy(m_x);
    yLabel->setBuddy(m_y);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    auto* defaults = new QPushButton(QStringLiteral("Default"), this);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    ok->setObjectName(QStringLiteral("ok"));
    defaults->setObjectName(QStringLiteral("default"));
    cancel->setObjectName(QStringLiteral("cancel"));
    ok->setDefault(true);
    defaults->setAutoDefault(false);
    cancel->setAutoDefault(false);
    place(ok, 4, 56, 43, 14);
    place(defaults, 55, 56, 43, 14);
    place(cancel, 107, 56, 44, 14);
    connect(ok, &QPushButton::clicked, this, &CRandomZoomDlg::accept);
    connect(defaults, &QPushButton::clicked, this, &CRandomZoomDlg::OnDefault);
    connect(cancel, &QPushButton::clicked, this, &CRandomZoomDlg::reject);

    setFixedSize(int(156 * ux) + widen, int(79 * uy));
}

void CRandomZoomDlg::OnDefault()
{
    m_x->setText(factorText(1.0f));
    m_y->setText(factorText(1.0f));
}

void CRandomZoomDlg::accept()
{
    const std::optional<float> x = ChartZoom::ParseRandomFactor(m_x->text());
    const std::optional<float> y = ChartZoom::ParseRandomFactor(m_y->text());
    if (!x || !y) {
        const bool xBad = !x;
        MessageBoxService::show(
            this,
            QStringLiteral("The %1 zooming scale must be a number from 0.3 to 30.")
                .arg(xBad ? QLatin1Char('X') : QLatin1Char('Y')),
            windowTitle(), MessageBoxService::Ok, MessageBoxService::Warning);
        QLineEdit* field = xBad ? m_x : m_y;
        field->setFocus();
        field->selectAll();
        return;
    }
    m_factorX = *x;
    m_factorY = *y;
    QDialog::accept();
}

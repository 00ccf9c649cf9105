#include "CSplashDlg.h"

#include "CurvataPicture.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

CSplashDlg::CSplashDlg(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("CSplashDlg"));
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("picture"));
    picture->setPixmap(QPixmap::fromImage(CurvataPicture::Picture()));
    picture->setFrameShape(QFrame::Box);

    auto* name = new QLabel(QStringLiteral("Curvata Application"), this);
    name->setObjectName(QStringLiteral("name"));
    QFont bold = name->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    name->setFont(bold);
    auto* version = new QLabel(QStringLiteral("Version 1.4.1"), this);
    version->setObjectName(QStringLiteral("version"));

    m_status = new QLabel(QStringLiteral("Loading database ......"), this);
    m_status->setObjectName(QStringLiteral("status"));
    m_status->setFrameShape(QFrame::StyledPanel);
    m_status->setFrameShadow(QFrame::Sunken);
    m_status->setMinimumWidth(260);

    auto* texts = new QVBoxLayout;
    texts->addStretch();
    texts->addWidget(name);
    texts->addWidget(version);
    texts->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(picture);
    top->addSpacing(12);
    top->addLayout(texts);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_status);
    setFixedSize(sizeHint());
}

void CSplashDlg::SetStatus(const QString& text)
{
    m_status->setText(text);
    if (isVisible())
        repaint();
}

QString CSplashDlg::Status() const
{
    return m_status->text();
}

void CSplashDlg::ShowCentred(QWidget* over)
{
    QRect area;
    if (over && over->isVisible())
        area = over->frameGeometry();
    else if (QScreen* screen = QApplication::primaryScreen())
        area = screen->availableGeometry();
    if (area.isValid())
        move(area.center() - rect().center());
    show();
    raise();
    repaint();
}

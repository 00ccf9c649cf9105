#include "TAcadMess.h"

#include "MessageBoxService.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

TAcadMess::TAcadMess(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("AcadMess"));
    setWindowTitle(QStringLiteral("AcadMess"));
    auto* layout = new QVBoxLayout(this);
    Title = new QLabel(this);
    Title->setAlignment(Qt::AlignCenter);
    QFont bold = Title->font();
    bold.setBold(true);
    Title->setFont(bold);
    Text = new QLabel(this);
    Text->setAlignment(Qt::AlignCenter);
    Text->setWordWrap(true);
    Text->setMinimumWidth(360);
    Progress = new QProgressBar(this);
    Progress->setTextVisible(false);
    Progress->hide();
    auto* buttons = new QHBoxLayout;
    BtnOK = new QPushButton(QStringLiteral("OK"), this);
    BtnNo = new QPushButton(QStringLiteral("No"), this);
    BtnOK->setDefault(true);
    buttons->addStretch();
    buttons->addWidget(BtnOK);
    buttons->addWidget(BtnNo);
    buttons->addStretch();
    layout->addWidget(Title);
    layout->addWidget(Text, 1);
    layout->addWidget(Progress);
    layout->addLayout(buttons);
    connect(BtnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(BtnNo, &QPushButton::clicked, this, &QDialog::reject);
}

void TAcadMess::centreOnOwner()
{
    adjustSize();
    if (QWidget* owner = parentWidget()) {
        const QRect o = owner->frameGeometry();
        move(o.center() - QPoint(width() / 2, height() / 2));
    }
}

bool TAcadMess::ask(QWidget* owner, const QString& title, const QString& text)
{
    const MessageBoxService::Box box{text, title, MessageBoxService::Ok | MessageBoxService::No,
                                     MessageBoxService::NoIcon};
    const MessageBoxService::Button answer = MessageBoxService::ask(box, [&] {
        TAcadMess dialog(owner);
        dialog.Title->setText(title);
        dialog.Text->setText(text);
        dialog.centreOnOwner();
        return dialog.exec() == QDialog::Accepted ? MessageBoxService::Ok : MessageBoxService::No;
    });
    return answer == MessageBoxService::Ok;
}

TAcadMess* TAcadMess::showProgress(QWidget* owner, const QString& title)
{
    auto* box = new TAcadMess(owner);
    box->Title->setText(title);
    box->Text->hide();
    box->BtnOK->hide();
    box->BtnNo->hide();
    box->Progress->show();
    box->centreOnOwner();
    box->show();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents); // paint before the work
    return box;
}

void TAcadMess::setProgress(int value, int maximum)
{
    Progress->setMaximum(maximum);
    Progress->setValue(value);
}

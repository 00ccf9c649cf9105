#include "MessageBoxService.h"

#include <QMessageBox>

namespace {
MessageBoxService::Responder& responder()
{
    static MessageBoxService::Responder r;
    return r;
}

QMessageBox::Icon toQt(MessageBoxService::Icon icon)
{
    switch (icon) {
    case MessageBoxService::Information:
        return QMessageBox::Information;
    case MessageBoxService::Warning:
        return QMessageBox::Warning;
    case MessageBoxService::Critical:
        return QMessageBox::Critical;
    case MessageBoxService::Question:
        return QMessageBox::Question;
    case MessageBoxService::NoIcon:
        break;
    }
    return QMessageBox::NoIcon;
}

struct ButtonMap
{
    MessageBoxService::Button ours;
    QMessageBox::StandardButton qt;
};
constexpr ButtonMap kButtons[] = {
    {MessageBoxService::Ok, QMessageBox::Ok},
    {MessageBoxService::Cancel, QMessageBox::Cancel},
    {MessageBoxService::Yes, QMessageBox::Yes},
    {MessageBoxService::No, QMessageBox::No},
    {MessageBoxService::Abort, QMessageBox::Abort},
    {MessageBoxService::Retry, QMessageBox::Retry},
    {MessageBoxService::Ignore, QMessageBox::Ignore},
};
} // namespace

MessageBoxService::Button MessageBoxService::show(QWidget* parent, const QString& text,
                                                  const QString& title, Buttons buttons, Icon icon)
{
    if (buttons == NoButton)
        buttons = Ok;
    if (responder())
        return responder()(Box{text, title, buttons, icon});

    QMessageBox box(toQt(icon), title, text, QMessageBox::NoButton, parent);
    for (const ButtonMap& b : kButtons) {
        if (buttons & b.ours)
            box.addButton(b.qt);
    }
    const int result = box.exec();
    for (const ButtonMap& b : kButtons) {
        if (result == b.qt)
            return b.ours;
    }
    // Closed with Escape or the window's close box: Windows answers Cancel
    // when it is offered, else the only button.
    if (buttons & Cancel)
        return Cancel;
    if (buttons & No)
        return No;
    return Ok;
}

void MessageBoxService::setResponder(Responder r)
{
    responder() = std::move(r);
}

bool MessageBoxService::hasResponder()
{
    return static_cast<bool>(responder());
}

ScriptedMessageBoxes::ScriptedMessageBoxes()
{
    MessageBoxService::setResponder([this](const MessageBoxService::Box& box) {
        m_shown.append(box);
        while (!m_script.isEmpty()) {
            const MessageBoxService::Button b = m_script.takeFirst();
            if (box.buttons & b)
                return b;
        }
        for (MessageBoxService::Button b : {MessageBoxService::Ok, MessageBoxService::Yes,
                                            MessageBoxService::Cancel, MessageBoxService::No}) {
            if (box.buttons & b)
                return b;
        }
        return MessageBoxService::Ok;
    });
}

ScriptedMessageBoxes::~ScriptedMessageBoxes()
{
    MessageBoxService::setResponder({});
}

QStringList ScriptedMessageBoxes::texts() const
{
    QStringList out;
    for (const MessageBoxService::Box& b : m_shown)
        out.append(b.text);
    return out;
}

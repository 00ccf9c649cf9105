#include "MessageBoxService.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

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
// Closed with Escape or the window's close box: Windows answers Cancel when
// it is offered, else No, else the first button.
MessageBoxService::Button dismissed(MessageBoxService::Buttons buttons)
{
    if (buttons & MessageBoxService::Cancel)
        return MessageBoxService::Cancel;
    if (buttons & MessageBoxService::No)
        return MessageBoxService::No;
    for (const ButtonMap& b : kButtons) {
        if (buttons & b.ours)
            return b.ours;
    }
    return MessageBoxService::Ok;
}

// A widget application on a real display; without one (no QApplication,
// or the offscreen platform of tests and CI) a modal box would wait for a
// click that never comes.
bool canAskAPerson()
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return false;
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

} // namespace

MessageBoxService::Button MessageBoxService::show(QWidget* parent, const QString& text,
                                                  const QString& title, Buttons buttons, Icon icon)
{
    if (buttons == NoButton)
        buttons = Ok;
    if (responder())
        return responder()(Box{text, title, buttons, icon});
    if (!canAskAPerson()) {
        // Nobody could click: report the box and answer as if it had been
        // dismissed, rather than waiting for ever.
        std::fprintf(stderr, "Message box without a display: [%s] %s\n", qPrintable(title),
                     qPrintable(text));
        return dismissed(buttons);
    }

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
    return dismissed(buttons);
}

MessageBoxService::Button MessageBoxService::ask(const Box& box,
                                                 const std::function<Button()>& dialog)
{
    const Buttons buttons = box.buttons == NoButton ? Ok : box.buttons;
    if (responder())
        return responder()(box);
    if (!canAskAPerson()) {
        std::fprintf(stderr, "Message box without a display: [%s] %s\n", qPrintable(box.title),
                     qPrintable(box.text));
        return dismissed(buttons);
    }
    return dialog();
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

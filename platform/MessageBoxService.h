#pragma once

#include <QList>
#include <QString>
#include <functional>

class QWidget;

// Every message box of every program goes through here, so that tests can
// answer them and read what they said; nothing ever blocks in CI.
class MessageBoxService
{
public:
    enum Button
    {
        NoButton = 0,
        Ok = 0x1,
        Cancel = 0x2,
        Yes = 0x4,
        No = 0x8,
        Abort = 0x10,
        Retry = 0x20,
        Ignore = 0x40,
    };
    using Buttons = int; // OR of Button values
    enum Icon
    {
        NoIcon,
        Information,
        Warning,
        Critical,
        Question
    };

    struct Box
    {
        QString text;
        QString title;
        Buttons buttons = Ok;
        Icon icon = NoIcon;
    };

    // A responder answers a box instead of a person. It returns the button
    // "pressed"; it must return one of box.buttons.
    using Responder = std::function<Button(const Box& box)>;

    // Shows the box modally (or asks the responder) and returns the button.
    // Where no person could answer (no widget application, or the offscreen
    // platform) the box is written to stderr and answered as if dismissed:
    // Cancel when offered, else No, else the first button.
    static Button show(QWidget* parent, const QString& text, const QString& title,
                       Buttons buttons = Ok, Icon icon = NoIcon);

    // A box of the program's own design: the responder answers it when one
    // is installed, nobody where no person could (as show() does), else
    // `dialog` runs and its answer is returned.
    static Button ask(const Box& box, const std::function<Button()>& dialog);

    // Installs a responder; an empty one restores real dialogs.
    static void setResponder(Responder responder);
    static bool hasResponder();
};

// Test helper: answers boxes from a script (first queued answer first; when
// the script is empty, the first of Ok, Yes, Cancel, No that the box offers)
// and records every box shown.
class ScriptedMessageBoxes
{
public:
    ScriptedMessageBoxes();
    ~ScriptedMessageBoxes();
    ScriptedMessageBoxes(const ScriptedMessageBoxes&) = delete;
    ScriptedMessageBoxes& operator=(const ScriptedMessageBoxes&) = delete;

    void answer(MessageBoxService::Button button) { m_script.append(button); }
    const QList<MessageBoxService::Box>& shown() const { return m_shown; }
    QStringList texts() const;
    void clear() { m_shown.clear(); }

private:
    QList<MessageBoxService::Button> m_script;
    QList<MessageBoxService::Box> m_shown;
};

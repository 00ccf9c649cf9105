#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QLocalServer;
class QLockFile;

// The named mutex with initial ownership plus "find the top-level window by
// title and send it a message", built on a lock file and a local socket so
// that two real processes exclude each other. A lock left behind by a
// crashed process does not block the next start.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    // Creates (and tries to own) the mutex called `name`.
    explicit SingleInstance(const QString& name, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True if another process already owned the mutex (ERROR_ALREADY_EXISTS).
    bool alreadyExisted() const { return m_alreadyExisted; }

    // First instance: publishes its main window under `title` so that later
    // instances can find it; title comparison is without regard to case.
    void publishWindow(const QString& title);

    // Second instance: finds the window titled `title` (without regard to
    // case) and sends it `message` with the two parameters, waiting until
    // it was delivered. Returns false if no such window was found.
    bool sendMessage(const QString& title, quint32 message, quintptr wParam, qintptr lParam,
                     int timeoutMs = 5000);

signals:
    // Emitted in the first instance when a message arrives.
    void messageReceived(quint32 message, quintptr wParam, qintptr lParam);

private:
    QString m_name;
    bool m_alreadyExisted = false;
    std::unique_ptr<QLockFile> m_lock;
    std::unique_ptr<QLocalServer> m_server;
};

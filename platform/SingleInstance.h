#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QLocalServer;
class QLocalSocket;
class QLockFile;

// The named mutex with initial ownership plus "find the top-level window by
// title and send it a message", built on a lock file and a local socket so
// that two real processes exclude each other. A lock left behind by a
// crashed process does not block the next start.
//
// Lock and socket live in $XDG_RUNTIME_DIR (created when missing), else in
// the per-user runtime directory Qt chooses.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    // Creates (and tries to own) the mutex called `name`; names are compared
    // exactly, as Windows does.
    explicit SingleInstance(const QString& name, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True if another owner of the mutex is alive (ERROR_ALREADY_EXISTS);
    // also within one process, like a second CreateMutex.
    bool alreadyExisted() const { return m_alreadyExisted; }

    // Publishes the main window under `title` so that later instances can
    // find it; title comparison is without regard to case. Publishing again
    // replaces the title. Returns false if a live window of another process
    // already has that title, or the socket could not be created.
    bool publishWindow(const QString& title);

    // Finds the window titled `title` (without regard to case) and sends it
    // `message` with the two parameters, waiting until the receiver has
    // handled it or `timeoutMs` has passed. Returns false if no such window
    // was found. A window of this very process is called directly.
    bool sendMessage(const QString& title, quint32 message, quintptr wParam, qintptr lParam,
                     int timeoutMs = 5000);

    // The directory of locks and sockets.
    static QString runtimeDirectory();

signals:
    // Emitted in the publishing instance when a message arrives.
    void messageReceived(quint32 message, quintptr wParam, qintptr lParam);

private:
    void onNewConnection();
    void onReadyRead(QLocalSocket* socket);
    void unpublish();

    QString m_name;
    QString m_title;
    bool m_alreadyExisted = false;
    std::unique_ptr<QLockFile> m_lock;
    std::unique_ptr<QLocalServer> m_server;
};

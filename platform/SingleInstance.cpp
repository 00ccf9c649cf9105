#include "SingleInstance.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDeadlineTimer>
#include <QDir>
#include <QHash>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QPointer>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

namespace {

// Wire format of one message: magic, message number, both parameters.
constexpr quint32 kMagic = 0x4B564D31; // "KVM1"
constexpr qint64 kPacketSize = 4 + 4 + 8 + 8;
constexpr char kAck = 'A';

// Windows of this process by case-folded title, for sends to ourselves.
QHash<QString, QPointer<SingleInstance>>& localWindows()
{
    static QHash<QString, QPointer<SingleInstance>> windows;
    return windows;
}

QString titleKey(const QString& title)
{
    return title.toCaseFolded();
}

// Socket paths must stay short (about 100 bytes), so the title is hashed.
QString socketPath(const QString& title)
{
    const QByteArray hash =
        QCryptographicHash::hash(titleKey(title).toUtf8(), QCryptographicHash::Sha1).toHex();
    return SingleInstance::runtimeDirectory() + QStringLiteral("/window-") +
           QString::fromLatin1(hash.left(24));
}

QString lockPath(const QString& name)
{
    return SingleInstance::runtimeDirectory() + QStringLiteral("/mutex-") +
           QString::fromLatin1(QUrl::toPercentEncoding(name)) + QStringLiteral(".lock");
}

QByteArray packet(quint32 message, quintptr wParam, qintptr lParam)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << kMagic << message << quint64(wParam) << qint64(lParam);
    return bytes;
}

} // namespace

QString SingleInstance::runtimeDirectory()
{
    QString dir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (dir.isEmpty() || !QDir::isAbsolutePath(dir))
        dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!QDir(dir).exists()) {
        QDir().mkpath(dir);
        QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    return dir;
}

SingleInstance::SingleInstance(const QString& name, QObject* parent)
    : QObject(parent), m_name(name), m_lock(std::make_unique<QLockFile>(lockPath(name)))
{
    // Never stale by age: only a lock whose process is gone is taken over.
    m_lock->setStaleLockTime(0);
    // When the lock cannot be created at all (no runtime directory, no
    // permission) the program runs unguarded rather than refusing to start.
    m_alreadyExisted = !m_lock->tryLock(0) && m_lock->error() == QLockFile::LockFailedError;
}

SingleInstance::~SingleInstance()
{
    unpublish();
}

void SingleInstance::unpublish()
{
    if (!m_title.isEmpty()) {
        auto it = localWindows().find(titleKey(m_title));
        if (it != localWindows().end() && it.value() == this)
            localWindows().erase(it);
        m_title.clear();
    }
    m_server.reset(); // closing removes the socket file
}

bool SingleInstance::publishWindow(const QString& title)
{
    unpublish();
    const QString path = socketPath(title);
    {
        // A live window of another process keeps its title; a socket left
        // behind by a crashed one is removed.
        QLocalSocket probe;
        probe.connectToServer(path);
        if (probe.waitForConnected(500))
            return false;
    }
    QLocalServer::removeServer(path);
    auto server = std::make_unique<QLocalServer>();
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(path))
        return false;
    connect(server.get(), &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
    m_server = std::move(server);
    m_title = title;
    localWindows().insert(titleKey(title), this);
    return true;
}

void SingleInstance::onNewConnection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
        // A sender that never completes its message must not hold the
        // connection open for ever.
        QTimer::singleShot(10000, socket, [socket] {
            socket->abort();
            socket->deleteLater();
        });
        if (socket->bytesAvailable() > 0)
            onReadyRead(socket);
    }
}

void SingleInstance::onReadyRead(QLocalSocket* socket)
{
    if (socket->bytesAvailable() < kPacketSize)
        return;
    disconnect(socket, &QLocalSocket::readyRead, this, nullptr); // one message per connection
    QDataStream in(socket->read(kPacketSize));
    quint32 magic = 0;
    quint32 message = 0;
    quint64 wParam = 0;
    qint64 lParam = 0;
    in >> magic >> message >> wParam >> lParam;
    if (magic == kMagic)
        emit messageReceived(message, quintptr(wParam), qintptr(lParam));
    // Answer only after the handler ran, as SendMessage returns only then;
    // anything else on the connection is ignored.
    socket->write(&kAck, 1);
    socket->flush();
    socket->disconnectFromServer();
}

bool SingleInstance::sendMessage(const QString& title, quint32 message, quintptr wParam,
                                 qintptr lParam, int timeoutMs)
{
    if (const auto it = localWindows().constFind(titleKey(title));
        it != localWindows().constEnd() && it.value()) {
        emit it.value()->messageReceived(message, wParam, lParam);
        return true;
    }
    QLocalSocket socket;
    socket.connectToServer(socketPath(title));
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(packet(message, wParam, lParam));
    const QDeadlineTimer deadline(timeoutMs);
    while (socket.bytesToWrite() > 0 && socket.waitForBytesWritten(deadline.remainingTime())) {
    }
    // Wait for the answer (or the receiver going away); a window that does
    // not answer in time still counts as found.
    while (socket.bytesAvailable() < 1 && socket.state() == QLocalSocket::ConnectedState &&
           socket.waitForReadyRead(deadline.remainingTime())) {
    }
    return true;
}

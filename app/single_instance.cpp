#include "app/single_instance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

#include <sys/socket.h>

#include "platform/error.h"

namespace inkwren {
namespace {

constexpr int connect_ms = 500;
// How long a start waits for the lock's holder to listen: it does so right after taking the
// lock, so only a machine under heavy load comes near this.
constexpr int start_wait_ms = 10000;
constexpr int retry_ms = 20;

std::optional<uid_t> peer_user(qintptr descriptor) {
    ucred credentials{};
    socklen_t size = sizeof credentials;
    if (::getsockopt(int(descriptor), SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0) {
        return std::nullopt;
    }
    return credentials.uid;
}

}  // namespace

InstancePaths instance_paths(const QString& runtime_folder, const QString& registry_path) {
    const QString hash = QString::fromLatin1(
        QCryptographicHash::hash(registry_path.toUtf8(), QCryptographicHash::Sha1)
            .toHex()
            .left(12));
    const QDir folder(runtime_folder);
    return {folder.filePath(QStringLiteral("inkwren-%1.socket").arg(hash)),
            folder.filePath(QStringLiteral("inkwren-%1.lock").arg(hash))};
}

bool hand_over(const QString& socket_path, const QString& text, uid_t owner) {
    QLocalSocket socket;
    socket.connectToServer(socket_path);
    if (!socket.waitForConnected(connect_ms)) {
        return false;
    }
    if (peer_user(socket.socketDescriptor()) != owner) {
        throw Error(QStringLiteral("The Inkwren listening at %1 is not yours; your character was "
                                   "not handed to it.")
                        .arg(socket_path));
    }
    socket.write(text.toUtf8() + '\n');
    const bool sent = socket.waitForBytesWritten(connect_ms);
    socket.disconnectFromServer();
    return sent;
}

std::optional<FileLock> become_instance_or_hand_over(const InstancePaths& paths,
                                                     const QString& text,
                                                     const std::function<void()>& on_waiting) {
    QElapsedTimer waited;
    waited.start();
    for (bool first = true;; first = false) {
        if (std::optional<FileLock> lock = FileLock::try_take(paths.lock)) {
            return lock;
        }
        if (hand_over(paths.socket, text)) {
            return std::nullopt;
        }
        if (waited.elapsed() > start_wait_ms) {
            throw Error(
                QStringLiteral("Inkwren is already running but does not answer. Close "
                               "it, or end it if it hangs, and start again."));
        }
        if (first && on_waiting) {
            on_waiting();
        }
        QThread::msleep(retry_ms);
    }
}

InstanceServer::InstanceServer(const QString& socket_path, uid_t owner, QObject* parent)
    : QObject(parent), owner_(owner), server_(new QLocalServer(this)) {
    QLocalServer::removeServer(socket_path);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(socket_path)) {
        throw Error(QStringLiteral("Inkwren cannot listen for later starts at %1: %2.")
                        .arg(socket_path, server_->errorString()));
    }
    connect(server_, &QLocalServer::newConnection, this, [this] { take_connections(); });
}

void InstanceServer::deliver_to(std::function<void(const QString& text)> receiver) {
    receiver_ = std::move(receiver);
    deliver_later();
}

void InstanceServer::take_connections() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (peer_user(socket->socketDescriptor()) != owner_) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { read_lines(*socket); });
        read_lines(*socket);
    }
}

// Only reads: whatever the text leads to (a question, with its own event loop that may delete
// this socket) happens after the socket's signal has returned.
void InstanceServer::read_lines(QLocalSocket& socket) {
    bool read = false;
    while (socket.canReadLine()) {
        arrived_ << QString::fromUtf8(socket.readLine()).trimmed();
        read = true;
    }
    if (read) {
        deliver_later();
    }
}

void InstanceServer::deliver_later() {
    QMetaObject::invokeMethod(
        this, [this] { deliver(); }, Qt::QueuedConnection);
}

// A text arriving while the receiver is busy with the one before (a question open) waits for it
// to return instead of being handed over on top.
void InstanceServer::deliver() {
    if (!receiver_ || delivering_) {
        return;
    }
    delivering_ = true;
    while (!arrived_.isEmpty()) {
        receiver_(arrived_.takeFirst());
    }
    delivering_ = false;
}

}  // namespace inkwren

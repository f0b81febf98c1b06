#include "app/single_instance.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

namespace inkwren {
namespace {

constexpr int connect_ms = 500;

}  // namespace

QString instance_name(const QString& registry_path) {
    const QByteArray hash =
        QCryptographicHash::hash(registry_path.toUtf8(), QCryptographicHash::Sha1).toHex().left(12);
    return QStringLiteral("inkwren-%1-%2").arg(getuid()).arg(QString::fromLatin1(hash));
}

bool hand_over(const QString& name, const QString& text) {
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(connect_ms)) {
        return false;
    }
    socket.write(text.toUtf8() + '\n');
    const bool sent = socket.waitForBytesWritten(connect_ms);
    socket.disconnectFromServer();
    return sent;
}

InstanceServer::InstanceServer(const QString& name, QObject* parent)
    : QObject(parent), server_(new QLocalServer(this)) {
    // Nobody answered on the name, so a socket file left there belongs to a program that died.
    QLocalServer::removeServer(name);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    server_->listen(name);
    connect(server_, &QLocalServer::newConnection, this, [this] { take_connection(); });
}

bool InstanceServer::listening() const {
    return server_->isListening();
}

void InstanceServer::take_connection() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            while (socket->canReadLine()) {
                const QString text = QString::fromUtf8(socket->readLine()).trimmed();
                if (on_text) {
                    on_text(text);
                }
            }
        });
    }
}

}  // namespace inkwren

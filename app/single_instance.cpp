#include "app/single_instance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSocketNotifier>
#include <QThread>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/un.h>
#include <cerrno>
#include <cstring>
#include <memory>

#include "platform/error.h"

namespace inkwren {
namespace {

constexpr int connect_ms = 500;
// How long a start waits for the lock's holder to listen: it does so right after taking the
// lock, so only a machine under heavy load comes near this.
constexpr int start_wait_ms = 10000;
constexpr int retry_ms = 20;

// Connections waiting to be taken before later starts are refused.
constexpr int listen_backlog = 50;

std::optional<uid_t> peer_user(int descriptor) {
    ucred credentials{};
    socklen_t size = sizeof credentials;
    if (::getsockopt(descriptor, SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0) {
        return std::nullopt;
    }
    return credentials.uid;
}

// The socket's address; false, with errno set, for a path too long for one.
bool address_of(const QString& path, sockaddr_un& address) {
    const QByteArray bytes = QFile::encodeName(path);
    address = {};
    address.sun_family = AF_UNIX;
    if (bytes.size() >= qsizetype(sizeof address.sun_path)) {
        errno = ENAMETOOLONG;
        return false;
    }
    std::memcpy(address.sun_path, bytes.constData(), std::size_t(bytes.size()));
    return true;
}

class Socket {
public:
    explicit Socket(int flags) : fd_(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | flags, 0)) {}
    ~Socket() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;

    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

bool send_all(int fd, const QByteArray& bytes) {
    const char* next = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t sent = ::send(fd, next, std::size_t(left), MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR) {
            continue;
        }
        if (sent <= 0) {
            return false;
        }
        next += sent;
        left -= sent;
    }
    return true;
}

}  // namespace

// A later start's connection, read as its lines arrive.
class InstanceConnection : public QObject {
public:
    InstanceConnection(int fd, QObject* parent)
        : QObject(parent),
          fd_(fd),
          readable_(std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read)) {}
    ~InstanceConnection() override {
        readable_.reset();
        ::close(fd_);
    }

    int fd() const { return fd_; }
    QSocketNotifier& readable() const { return *readable_; }

    // Reads what has arrived; answers false once the sender has closed its end.
    bool read_arrived() {
        char chunk[4096];
        for (;;) {
            const ssize_t got = ::read(fd_, chunk, sizeof chunk);
            if (got > 0) {
                pending_.append(chunk, got);
            } else if (got < 0 && errno == EINTR) {
                continue;
            } else {
                return got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
            }
        }
    }

    // The next whole line, without its end; nothing while none has arrived whole.
    std::optional<QByteArray> take_line() {
        const qsizetype end = pending_.indexOf('\n');
        if (end < 0) {
            return std::nullopt;
        }
        QByteArray line = pending_.left(end + 1);
        pending_.remove(0, end + 1);
        return line;
    }

private:
    int fd_;
    std::unique_ptr<QSocketNotifier> readable_;
    QByteArray pending_;
};

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
    Socket socket(0);
    sockaddr_un address;
    if (socket.get() < 0 || !address_of(socket_path, address)) {
        return false;
    }
    // Connecting and sending wait at most this long for a running instance that does not take
    // its connections.
    const timeval timeout{connect_ms / 1000, connect_ms % 1000 * 1000};
    ::setsockopt(socket.get(), SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    if (::connect(socket.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        return false;
    }
    if (peer_user(socket.get()) != owner) {
        throw Error(QStringLiteral("The Inkwren listening at %1 is not yours; your character was "
                                   "not handed to it.")
                        .arg(socket_path));
    }
    return send_all(socket.get(), text.toUtf8() + '\n');
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
    : QObject(parent), owner_(owner), socket_path_(socket_path) {
    const QByteArray path = QFile::encodeName(socket_path);
    ::unlink(path.constData());  // a dead instance's
    Socket listener(SOCK_NONBLOCK);
    sockaddr_un address;
    // Only the owner may connect: the socket file is made private before anyone can.
    const bool listening =
        listener.get() >= 0 && address_of(socket_path, address) &&
        ::bind(listener.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
        ::chmod(path.constData(), S_IRWXU) == 0 && ::listen(listener.get(), listen_backlog) == 0;
    if (!listening) {
        const int error = errno;
        throw Error(QStringLiteral("Inkwren cannot listen for later starts at %1: %2.")
                        .arg(socket_path, system_reason(error)));
    }
    listener_ = listener.release();
    incoming_ = new QSocketNotifier(listener_, QSocketNotifier::Read, this);
    connect(incoming_, &QSocketNotifier::activated, this, [this] { take_connections(); });
}

InstanceServer::~InstanceServer() {
    delete incoming_;
    ::close(listener_);
    ::unlink(QFile::encodeName(socket_path_).constData());
}

void InstanceServer::deliver_to(std::function<void(const QString& text)> receiver) {
    receiver_ = std::move(receiver);
    deliver_later();
}

void InstanceServer::take_connections() {
    for (;;) {
        const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0 && errno == EINTR) {
            continue;
        }
        if (fd < 0) {
            return;
        }
        auto* connection = new InstanceConnection(fd, this);
        if (peer_user(fd) != owner_) {
            connection->readable().setEnabled(false);
            connection->deleteLater();
            continue;
        }
        connect(&connection->readable(), &QSocketNotifier::activated, this,
                [this, connection] { read_lines(*connection); });
        read_lines(*connection);
    }
}

// Only reads: whatever the text leads to (a question, with its own event loop that may delete
// this connection) happens after the connection's signal has returned.
void InstanceServer::read_lines(InstanceConnection& connection) {
    const bool open = connection.read_arrived();
    bool read = false;
    while (const std::optional<QByteArray> line = connection.take_line()) {
        arrived_ << QString::fromUtf8(*line).trimmed();
        read = true;
    }
    if (!open) {
        connection.readable().setEnabled(false);
        connection.deleteLater();
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

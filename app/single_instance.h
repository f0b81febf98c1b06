// One Inkwren per user: a second start hands its character to the running one, which comes to
// the front and writes it, instead of running beside it and watching the same clipboard.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

#include <sys/types.h>
#include <unistd.h>

#include "platform/file_lock.h"

class QSocketNotifier;

namespace inkwren {

class InstanceConnection;

// Where the running instance listens and the lock that makes it the only one: in the user's
// private runtime folder, one pair per settings file.
struct InstancePaths {
    QString socket;
    QString lock;
};

InstancePaths instance_paths(const QString& runtime_folder, const QString& registry_path);

// Hands the text (empty to just bring the window forward) to the instance listening on
// socket_path; true when one took it. Throws Error when the one listening is not owner's.
bool hand_over(const QString& socket_path, const QString& text, uid_t owner = ::getuid());

// Makes this process the running instance, or hands the text to the one that is: the lock when
// this process won it, nothing when the text was handed over. While the lock's holder is still
// starting, or dying, it tries again for a few seconds, calling on_waiting once. Throws Error
// when the running instance never answers.
std::optional<FileLock> become_instance_or_hand_over(const InstancePaths& paths,
                                                     const QString& text,
                                                     const std::function<void()>& on_waiting);

// Listens for later starts of owner's; connections of other users are dropped. Only the lock's
// holder may make one: a socket file left at the path is taken for a dead instance's and
// replaced. Throws Error when it cannot listen.
// The socket is the system's own, not a Qt network class: the program then needs no network
// library, which would cost every start its loading. Each connection taken is a child of the
// server until its sender closes it.
class InstanceServer : public QObject {
public:
    explicit InstanceServer(const QString& socket_path, uid_t owner = ::getuid(),
                            QObject* parent = nullptr);
    // Stops listening and removes the socket file.
    ~InstanceServer() override;

    // What later starts hand over goes to receiver, one text at a time, each from a later turn
    // of the event loop, never from inside a socket's signal; what came before waits for it.
    void deliver_to(std::function<void(const QString& text)> receiver);

private:
    void take_connections();
    void read_lines(InstanceConnection& connection);
    void deliver_later();
    void deliver();

    uid_t owner_;
    QString socket_path_;
    int listener_ = -1;
    QSocketNotifier* incoming_ = nullptr;
    std::function<void(const QString&)> receiver_;
    QStringList arrived_;
    bool delivering_ = false;
};

}  // namespace inkwren

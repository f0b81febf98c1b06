#include "tests/support/full_disk.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>
#include <cerrno>

namespace inkwren::testing {
namespace {

bool write_proc_file(const char* path, const QByteArray& text) {
    const int fd = ::open(path, O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool written = ::write(fd, text.constData(), std::size_t(text.size())) == text.size();
    ::close(fd);
    return written;
}

// Root in a user namespace of our own may mount what it likes inside it.
bool enter_user_namespace() {
    const uid_t uid = ::getuid();
    const gid_t gid = ::getgid();
    if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) {
        return false;
    }
    write_proc_file("/proc/self/setgroups", "deny");
    return write_proc_file("/proc/self/uid_map", "0 " + QByteArray::number(uid) + " 1") &&
           write_proc_file("/proc/self/gid_map", "0 " + QByteArray::number(gid) + " 1");
}

}  // namespace

bool mount_private_tmpfs(const QString& folder, int kilobytes) {
    if (::unshare(CLONE_NEWNS) != 0 && !enter_user_namespace()) {
        return false;
    }
    // Mounts made from here on stay in this namespace.
    if (::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
        return false;
    }
    QDir().mkpath(folder);
    const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k";
    return ::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0,
                   options.constData()) == 0;
}

void fill_file_system(const QString& folder) {
    const QByteArray path = QFile::encodeName(QDir(folder).filePath(QStringLiteral("填滿")));
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) {
        return;
    }
    const QByteArray block(4096, 'x');
    while (::write(fd, block.constData(), std::size_t(block.size())) > 0) {
    }
    while (::write(fd, "x", 1) > 0) {
    }
    ::close(fd);
}

}  // namespace inkwren::testing

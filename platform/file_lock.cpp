#include "platform/file_lock.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "platform/error.h"

namespace inkwren {
namespace {

Error lock_error(const QString& path) {
    return Error(QStringLiteral("Inkwren cannot use its lock file %1: %2.")
                     .arg(path, QString::fromLocal8Bit(std::strerror(errno))));
}

}  // namespace

std::optional<FileLock> FileLock::try_take(const QString& path) {
    // Close-on-exec: a program started from here must not keep the lock after this one ends.
    const int descriptor = ::open(QFile::encodeName(path).constData(),
                                  O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (descriptor < 0) {
        throw lock_error(path);
    }
    int result = 0;
    do {
        result = ::flock(descriptor, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result == 0) {
        return FileLock(descriptor);
    }
    const int reason = errno;
    ::close(descriptor);
    if (reason == EWOULDBLOCK) {
        return std::nullopt;
    }
    errno = reason;
    throw lock_error(path);
}

FileLock::FileLock(FileLock&& other) noexcept : descriptor_(std::exchange(other.descriptor_, -1)) {}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    std::swap(descriptor_, other.descriptor_);
    return *this;
}

FileLock::~FileLock() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);
    }
}

}  // namespace inkwren

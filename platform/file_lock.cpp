#include "platform/file_lock.h"

#include <QFile>

#include <cerrno>
#include <utility>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/error.h"

namespace inkwren {
namespace {

Error lock_error(const QString& path, int error) {
    return Error(
        QStringLiteral("Inkwren cannot use its lock file %1: %2.").arg(path, system_reason(error)));
}

// 0 when the lock was taken, else the errno of the refusal.
int lock_descriptor(int descriptor, int operation) {
    int result = 0;
    do {
        result = ::flock(descriptor, operation);
    } while (result != 0 && errno == EINTR);
    return result == 0 ? 0 : errno;
}

int operation_of(FileLock::Kind kind) {
    return kind == FileLock::Kind::shared ? LOCK_SH : LOCK_EX;
}

}  // namespace

std::optional<FileLock> FileLock::lock_folder(const QString& folder, int operation) {
    const int descriptor = ::open(QFile::encodeName(folder).constData(),
                                  O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (descriptor < 0) {
        return std::nullopt;
    }
    if (lock_descriptor(descriptor, operation) != 0) {
        ::close(descriptor);
        return std::nullopt;
    }
    return FileLock(descriptor);
}

std::optional<FileLock> FileLock::try_take(const QString& path) {
    // Close-on-exec: a program started from here must not keep the lock after this one ends.
    const int descriptor = ::open(QFile::encodeName(path).constData(),
                                  O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (descriptor < 0) {
        throw lock_error(path, errno);
    }
    const int refusal = lock_descriptor(descriptor, LOCK_EX | LOCK_NB);
    if (refusal == 0) {
        return FileLock(descriptor);
    }
    ::close(descriptor);
    if (refusal == EWOULDBLOCK) {
        return std::nullopt;
    }
    throw lock_error(path, refusal);
}

std::optional<FileLock> FileLock::try_lock_folder(const QString& folder, Kind kind) {
    return lock_folder(folder, operation_of(kind) | LOCK_NB);
}

std::optional<FileLock> FileLock::wait_for_folder(const QString& folder, Kind kind) {
    return lock_folder(folder, operation_of(kind));
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

void FileLock::share() {
    lock_descriptor(descriptor_, LOCK_SH);
}

bool FileLock::still_linked() const {
    struct stat info {};
    return ::fstat(descriptor_, &info) == 0 && info.st_nlink > 0;
}

}  // namespace inkwren

#include "app/folder_lock.h"

#include <QFile>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <utility>

namespace inkwren {

std::optional<FolderLock> FolderLock::try_lock(const QString& folder, Kind kind) {
    return lock(folder, (kind == Kind::shared ? LOCK_SH : LOCK_EX) | LOCK_NB);
}

std::optional<FolderLock> FolderLock::wait_for(const QString& folder, Kind kind) {
    return lock(folder, kind == Kind::shared ? LOCK_SH : LOCK_EX);
}

std::optional<FolderLock> FolderLock::lock(const QString& folder, int operation) {
    const int fd = ::open(QFile::encodeName(folder).constData(),
                          O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    int result = 0;
    while ((result = ::flock(fd, operation)) != 0 && errno == EINTR) {
    }
    if (result != 0) {
        ::close(fd);
        return std::nullopt;
    }
    return FolderLock(fd);
}

FolderLock::FolderLock(FolderLock&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

FolderLock& FolderLock::operator=(FolderLock&& other) noexcept {
    std::swap(fd_, other.fd_);
    return *this;
}

FolderLock::~FolderLock() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

void FolderLock::share() {
    while (::flock(fd_, LOCK_SH) != 0 && errno == EINTR) {
    }
}

bool FolderLock::folder_exists() const {
    struct stat info {};
    return ::fstat(fd_, &info) == 0 && info.st_nlink > 0;
}

}  // namespace inkwren

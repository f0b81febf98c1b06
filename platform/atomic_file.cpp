#include "platform/atomic_file.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

#include "platform/error.h"

namespace inkwren {
namespace {

// Small writes (a PDF writer makes thousands) are gathered into one system call.
constexpr qsizetype buffer_size = 64 * 1024;
constexpr int name_attempts = 100;

QByteArray random_suffix() {
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QByteArray suffix(6, '0');
    for (char& letter : suffix) {
        letter = letters[QRandomGenerator::system()->bounded(int(sizeof(letters) - 1))];
    }
    return suffix;
}

// Opened exclusively under a fresh name, so nothing already there (a link planted by someone
// else included) is ever written through. The mode comes from the umask, as for any new file.
int create_temporary(const QByteArray& target, QByteArray& temp_path) {
    for (int attempt = 0; attempt < name_attempts; ++attempt) {
        temp_path = target + '.' + random_suffix();
        const int fd = ::open(temp_path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

// A replaced file keeps its permissions: a settings file the user made private stays private.
void keep_mode_of(const QByteArray& target, int fd) {
    struct stat old {};
    if (::stat(target.constData(), &old) == 0 && S_ISREG(old.st_mode)) {
        ::fchmod(fd, old.st_mode & 07777);
    }
}

// Some file systems cannot sync a folder and say so with EINVAL; that is no failure of ours.
int sync_folder_holding(const QByteArray& target) {
    const QByteArray folder = QFile::encodeName(QFileInfo(QFile::decodeName(target)).path());
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return errno;
    }
    const int result = ::fsync(fd) == 0 || errno == EINVAL ? 0 : errno;
    ::close(fd);
    return result;
}

}  // namespace

AtomicFile::AtomicFile(QString path, Durability durability)
    : path_(std::move(path)), durability_(durability) {
    const QByteArray target = QFile::encodeName(path_);
    fd_ = create_temporary(target, temp_path_);
    if (fd_ < 0) {
        const int error = errno;
        temp_path_.clear();
        throw Error(
            QStringLiteral("\"%1\" cannot be written: %2.").arg(path_, system_reason(error)));
    }
    keep_mode_of(target, fd_);
    buffer_.reserve(buffer_size);
    QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

AtomicFile::~AtomicFile() {
    discard();
}

void AtomicFile::discard() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temp_path_.isEmpty()) {
        ::unlink(temp_path_.constData());
        temp_path_.clear();
    }
    if (isOpen()) {
        QIODevice::close();
    }
}

qint64 AtomicFile::readData(char*, qint64) {
    return -1;
}

qint64 AtomicFile::writeData(const char* data, qint64 size) {
    if (error_ != 0 || fd_ < 0) {
        return -1;
    }
    buffer_.append(data, qsizetype(size));
    if (buffer_.size() >= buffer_size && !flush_buffer()) {
        return -1;
    }
    return size;
}

bool AtomicFile::flush_buffer() {
    const char* next = buffer_.constData();
    qsizetype left = buffer_.size();
    while (left > 0) {
        const ssize_t written = ::write(fd_, next, std::size_t(left));
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            error_ = errno;
            setErrorString(system_reason(error_));
            return false;
        }
        next += written;
        left -= written;
    }
    buffer_.clear();
    return true;
}

void AtomicFile::fail(int error) {
    discard();
    throw Error(QStringLiteral("\"%1\" cannot be written: %2.").arg(path_, system_reason(error)));
}

void AtomicFile::start_writing() {
    if (error_ == 0 && fd_ >= 0 && flush_buffer()) {
        // Only a head start: whatever fails here fails again at the sync, which reports it.
        ::sync_file_range(fd_, 0, 0, SYNC_FILE_RANGE_WRITE);
    }
}

void AtomicFile::commit(FolderSync folder) {
    if (fd_ < 0) {
        throw Error(QStringLiteral("\"%1\" cannot be written twice.").arg(path_));
    }
    if (error_ != 0 || !flush_buffer()) {
        fail(error_);
    }
    // Some file systems report a full disk only when the data reach it, at the sync or close.
    const bool synced = durability_ == Durability::synced;
    if (synced && ::fsync(fd_) != 0) {
        fail(errno);
    }
    const int fd = std::exchange(fd_, -1);
    if (::close(fd) != 0) {
        fail(errno);
    }
    const QByteArray target = QFile::encodeName(path_);
    if (::rename(temp_path_.constData(), target.constData()) != 0) {
        fail(errno);
    }
    temp_path_.clear();
    QIODevice::close();
    if (synced && folder == FolderSync::now) {
        sync_folder_of(path_);
    }
}

void sync_folder_of(const QString& path) {
    if (const int error = sync_folder_holding(QFile::encodeName(path)); error != 0) {
        throw Error(QStringLiteral("\"%1\" was written, but its folder cannot be synced: %2.")
                        .arg(path, system_reason(error)));
    }
}

}  // namespace inkwren

#include "app/scratch_folder.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdlib>

#include "platform/error.h"

namespace inkwren {
namespace {

constexpr auto prefix = "inkwren-export-";
// A folder another run removes between its making and its locking is made anew.
constexpr int attempts = 10;

// The folder made (mode 0700) and locked before anyone else may lock it.
FileLock make_locked_folder(const QString& parent, QString& path) {
    int error = 0;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        QByteArray name =
            QFile::encodeName(QDir(parent).filePath(QString::fromLatin1(prefix))) + "XXXXXX";
        if (::mkdtemp(name.data()) == nullptr) {
            error = errno;
            break;
        }
        path = QFile::decodeName(name);
        std::optional<FileLock> lock = FileLock::try_lock_folder(path, FileLock::Kind::exclusive);
        if (lock && lock->still_linked()) {
            return std::move(*lock);
        }
        error = EAGAIN;
    }
    throw Error(QStringLiteral("No temporary folder can be made in %1: %2.")
                    .arg(parent, system_reason(error)));
}

bool is_own_folder(const QString& path) {
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::getuid();
}

}  // namespace

ScratchFolder::ScratchFolder() : ScratchFolder(QDir::tempPath()) {}

ScratchFolder::ScratchFolder(const QString& parent) : lock_(make_locked_folder(parent, path_)) {}

ScratchFolder::~ScratchFolder() {
    QDir(path_).removeRecursively();
}

int remove_dead_scratch_folders(const QString& parent) {
    const QDir folder(parent);
    int removed = 0;
    const QStringList names =
        folder.entryList({QString::fromLatin1(prefix) + QLatin1Char('*')},
                         QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot | QDir::NoSymLinks);
    for (const QString& name : names) {
        const QString path = folder.filePath(name);
        if (!is_own_folder(path)) {
            continue;
        }
        // The lock is held while removing, so a run cannot take the folder up meanwhile.
        if (const auto dead = FileLock::try_lock_folder(path, FileLock::Kind::exclusive)) {
            removed += QDir(path).removeRecursively() ? 1 : 0;
        }
    }
    return removed;
}

}  // namespace inkwren

#include "platform/runtime_folder.h"

#include <QDir>
#include <QFile>

#include <cerrno>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/error.h"

namespace inkwren {
namespace {

// lstat, so that a link planted in the folder's place is seen as a link, not followed.
bool folder_of(const QByteArray& path, uid_t user, mode_t forbidden) {
    struct stat info {};
    return ::lstat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == user &&
           (info.st_mode & forbidden) == 0;
}

QString usable_xdg_folder(const QString& xdg_runtime_dir, uid_t user) {
    if (xdg_runtime_dir.isEmpty() || !QDir::isAbsolutePath(xdg_runtime_dir)) {
        return QString();
    }
    const QString folder = QDir::cleanPath(xdg_runtime_dir);
    return folder_of(QFile::encodeName(folder), user, S_IWGRP | S_IWOTH) ? folder : QString();
}

QString own_temporary_folder(const QString& temp_folder, uid_t user) {
    const QString folder = QDir(temp_folder).filePath(QStringLiteral("inkwren-%1").arg(user));
    const QByteArray path = QFile::encodeName(folder);
    if (::mkdir(path.constData(), 0700) == 0) {
        // The umask may have taken bits the check below asks for.
        ::chmod(path.constData(), 0700);
    } else if (errno != EEXIST) {
        throw Error(QStringLiteral("Inkwren cannot make its private folder %1: %2.")
                        .arg(folder, system_reason(errno)));
    }
    if (!folder_of(path, user, 0077)) {
        throw Error(QStringLiteral("Inkwren will not start: %1 is not a folder of yours that only "
                                   "you can use (someone else may have made it). Remove it, or "
                                   "set XDG_RUNTIME_DIR to a private folder of yours.")
                        .arg(folder));
    }
    return folder;
}

}  // namespace

QString private_runtime_folder() {
    return private_runtime_folder(qEnvironmentVariable("XDG_RUNTIME_DIR"), QDir::tempPath(),
                                  ::getuid());
}

QString private_runtime_folder(const QString& xdg_runtime_dir, const QString& temp_folder,
                               uid_t user) {
    const QString xdg = usable_xdg_folder(xdg_runtime_dir, user);
    return xdg.isEmpty() ? own_temporary_folder(temp_folder, user) : xdg;
}

}  // namespace inkwren

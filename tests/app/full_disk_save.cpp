// The helper process of the full-disk test. In a mount namespace of its own it mounts a small
// tmpfs on FOLDER, saves the first version of KIND there, fills the file system to its last
// byte and saves the second version, which must fail with the system's reason and leave the
// first byte for byte, with no temporary file behind.
//   full_disk_save KIND FOLDER
// Exit status 0 when all is as it must be, 1 when not (the reason on standard output), 77 when
// this system allows no private mount.
#include <QDir>
#include <QGuiApplication>

#include <cstdio>

#include "platform/error.h"
#include "tests/app/save_kinds.h"
#include "tests/support/fixtures.h"
#include "tests/support/full_disk.h"

namespace {

constexpr int tmpfs_kilobytes = 2048;

using namespace inkwren;

const testing::SaveKind* find_kind(const QString& name) {
    for (const testing::SaveKind& kind : testing::save_kinds()) {
        if (name == QLatin1String(kind.name)) {
            return &kind;
        }
    }
    return nullptr;
}

// What went wrong, or nothing when the failed save behaved.
QString check_failed_save(const testing::SaveKind& kind, const QString& folder) {
    const QString name = QString::fromLatin1(kind.name);
    const QStringList before = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    try {
        testing::save_version(name, folder, 1);
        return QStringLiteral("the save on a full disk reported no failure");
    } catch (const Error& error) {
        if (!error.message().contains(QStringLiteral("No space left on device"))) {
            return QStringLiteral("the message gives no reason: ") + error.message();
        }
    }
    for (int file = 0; file < kind.files.size(); ++file) {
        const QByteArray held = testing::read_file(QDir(folder).filePath(kind.files[file]));
        if (held != testing::saved_content(name, file, 0)) {
            return QStringLiteral("%1 changed: %2 bytes").arg(kind.files[file]).arg(held.size());
        }
    }
    if (QDir(folder).entryList(QDir::Files | QDir::Hidden) != before) {
        return QStringLiteral("files were left behind: ") +
               QDir(folder).entryList(QDir::Files | QDir::Hidden).join(u' ');
    }
    return {};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: full_disk_save KIND FOLDER\n");
        return 2;
    }
    // Before any thread starts: a new user namespace takes only a single-threaded process.
    const QString folder = QString::fromLocal8Bit(argv[2]);
    if (!testing::mount_private_tmpfs(folder, tmpfs_kilobytes)) {
        return 77;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const testing::SaveKind* kind = find_kind(QString::fromLocal8Bit(argv[1]));
    if (kind == nullptr) {
        std::printf("no such kind\n");
        return 1;
    }
    const QString name = QString::fromLatin1(kind->name);
    testing::prepare_saves(name, folder);
    testing::save_version(name, folder, 0);
    testing::fill_file_system(folder);
    const QString failure = check_failed_save(*kind, folder);
    std::printf("%s\n", qPrintable(failure));
    return failure.isEmpty() ? 0 : 1;
}

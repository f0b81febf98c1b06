// The helper process of the full-disk test. In a mount namespace of its own it mounts a small
// tmpfs on FOLDER, saves the first version of KIND there, fills the file system to its last
// byte and saves the second version, which must fail with the system's reason and leave the
// first byte for byte, with no temporary file behind.
//   full_disk_save KIND FOLDER
// KIND is one of the save kinds, or "export-" and an exporter command: the exporter then makes
// 永 into FOLDER over an older 永 file and must end with status 1, never naming the file.
// Exit status 0 when all is as it must be, 1 when not (the reason on standard output), 77 when
// this system allows no private mount.
#include <QDir>
#include <QGuiApplication>
#include <QProcess>

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

// The exporter's file of 永 for a command, and the old file it must leave as it was.
QString export_file(const QString& command) {
    if (command == QLatin1String("worksheet")) {
        return QStringLiteral("worksheet.pdf");
    }
    const QString ending = command == QLatin1String("sheet") ? QStringLiteral(".jpg")
                           : command == QLatin1String("gif") ? QStringLiteral(".gif")
                                                             : QStringLiteral(".wrt");
    return QStringLiteral("永") + ending;
}

QString check_failed_export(const QString& command, const QString& folder) {
    const testing::TempFolder installation;
    testing::make_installation(installation.path());
    const QString target = QDir(folder).filePath(export_file(command));
    const QByteArray old = QByteArray("an older file, kept whole ").repeated(400);
    testing::write_file(target, old);
    testing::fill_file_system(folder);
    QProcess exporter;
    exporter.start(QStringLiteral(INKWREN_EXPORT),
                   {command, QStringLiteral("--verbose"), QStringLiteral("--data"),
                    installation.path(), QStringLiteral("--out"), folder, QStringLiteral("永")});
    if (!exporter.waitForFinished(60000)) {
        return QStringLiteral("the exporter did not end");
    }
    const QString errors = QString::fromUtf8(exporter.readAllStandardError());
    const QString named = QString::fromUtf8(exporter.readAllStandardOutput());
    if (exporter.exitCode() != 1) {
        return QStringLiteral("exit status %1: %2").arg(exporter.exitCode()).arg(errors);
    }
    if (!errors.contains(QStringLiteral("No space left on device"))) {
        return QStringLiteral("the reason is not given: ") + errors;
    }
    if (named.contains(export_file(command))) {
        return QStringLiteral("the file was named as written: ") + named;
    }
    if (testing::read_file(target) != old) {
        return QStringLiteral("the old file changed");
    }
    const QStringList left = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    if (left.size() != 2) {
        return QStringLiteral("files were left behind: ") + left.join(u' ');
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
    const QString asked = QString::fromLocal8Bit(argv[1]);
    if (asked.startsWith(QLatin1String("export-"))) {
        const QString failure = check_failed_export(asked.mid(7), folder);
        std::printf("%s\n", qPrintable(failure));
        return failure.isEmpty() ? 0 : 1;
    }
    const testing::SaveKind* kind = find_kind(asked);
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

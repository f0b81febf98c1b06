#include "app/user_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "app/config_files.h"
#include "platform/error.h"
#include "platform/registry.h"
#include "platform/whole_file.h"
#include "strokes/stroke_archive.h"

namespace inkwren {
namespace {

constexpr auto program_key = "Software\\Marlowen Technology\\inkwren\\iwren1.0";
constexpr auto path_value = "installation path";

// What the program writes in its installation folder: each user has their own.
bool written_by_program(const QString& name) {
    static const QStringList written = {QString::fromLatin1(preference_file),
                                        QString::fromLatin1(view_settings_file),
                                        QString::fromLatin1(sheet_settings_file),
                                        QString::fromLatin1(output_folder_file),
                                        QString::fromLatin1(flag_file),
                                        QStringLiteral("mylang.txt"),
                                        QStringLiteral("tmp"),
                                        QStringLiteral("udefined")};
    return written.contains(name);
}

}  // namespace

std::optional<InstalledLayout> installed_layout(const QString& application_dir,
                                                const QString& user_data_home) {
    const QString shared =
        QDir::cleanPath(QDir(application_dir).filePath(QStringLiteral("../share/inkwren")));
    if (!QFileInfo::exists(QDir(shared).filePath(QString::fromLatin1(simplified_archive)))) {
        return std::nullopt;
    }
    return InstalledLayout{
        with_trailing_slash(shared),
        with_trailing_slash(QDir(user_data_home).filePath(QStringLiteral("inkwren")))};
}

void prepare_user_folder(const InstalledLayout& layout) {
    if (!QDir().mkpath(layout.user)) {
        throw Error(QStringLiteral("Your Inkwren folder %1 cannot be made.").arg(layout.user));
    }
    const QDir shared(layout.shared);
    const QDir user(layout.user);
    for (const QString& name :
         shared.entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)) {
        if (written_by_program(name) || QFileInfo(user.filePath(name)).isSymLink() ||
            QFileInfo::exists(user.filePath(name))) {
            continue;
        }
        QFile::link(shared.filePath(name), user.filePath(name));
    }
}

void record_installation_path(const QString& registry_path, const QString& folder) {
    const Registry registry(registry_path);
    const QString group = QString::fromLatin1(program_key);
    if (registry.extract_keyvalue(group, QString::fromLatin1(path_value)) != QStringLiteral("-1")) {
        return;
    }
    QByteArray text;
    if (QFileInfo::exists(registry_path)) {
        text = read_whole_file(registry_path, QStringLiteral("The settings file"));
        if (!text.isEmpty() && !text.endsWith('\n')) {
            text += '\n';
        }
    }
    QDir().mkpath(QFileInfo(registry_path).absolutePath());
    text += "[" + group.toUtf8() + "]\n" + QByteArray(path_value) + "=" + folder.toUtf8() + "\n";
    write_whole_file(registry_path, text);
}

}  // namespace inkwren

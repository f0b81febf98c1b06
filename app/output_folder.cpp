#include "app/output_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include "app/export_maker.h"
#include "output/character_list.h"
#include "platform/error.h"

namespace inkwren {
namespace {

int remove_export_leftovers(const QString& path) {
    QDir folder(path);
    int removed = 0;
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (is_export_leftover(name) && folder.remove(name)) {
            ++removed;
        }
    }
    return removed;
}

}  // namespace

OutputFolder::OutputFolder(const QString& path) {
    if (!QDir().mkpath(path)) {
        throw Error(QStringLiteral("The folder %1 cannot be made.").arg(path));
    }
    lock_ = FileLock::try_lock_folder(path, FileLock::Kind::exclusive);
    if (lock_) {
        removed_ = remove_export_leftovers(path);
        lock_->share();
    } else {
        lock_ = FileLock::wait_for_folder(path, FileLock::Kind::shared);
    }
}

bool is_export_leftover(const QString& name) {
    static const QRegularExpression temporary(QStringLiteral("^(.+)\\.[A-Za-z0-9]{6}$"));
    const QRegularExpressionMatch match = temporary.match(name);
    if (!match.hasMatch()) {
        return false;
    }
    const QString target = match.captured(1);
    const QStringList characters = cjk_characters(QFileInfo(target).completeBaseName());
    const QString character = characters.size() == 1 ? characters.front() : QString();
    for (const ExportCommand command : {ExportCommand::sheet, ExportCommand::gif,
                                        ExportCommand::strokes, ExportCommand::worksheet}) {
        for (const bool png : {false, true}) {
            if (target == export_file_name(character, command, png)) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace inkwren

#include "strokes/mainland_forms.h"

#include <QDir>
#include <QFileInfo>

#include "platform/error.h"
#include "platform/whole_file.h"

namespace inkwren {
namespace {

// Far above any real list; a larger file is not one.
constexpr qint64 list_limit = 1 << 20;

bool one_character(const QString& text) {
    return text.size() == 1 ||
           (text.size() == 2 && text[0].isHighSurrogate() && text[1].isLowSurrogate());
}

bool teaches_taiwan_order(const ArchiveChoice& choice) {
    return choice.archive_file == QString::fromLatin1(traditional_archive) &&
           choice.overlay_file == QString::fromLatin1(taiwan_overlay_archive);
}

bool listed(const QString& character, const QString& list_path) {
    QByteArray list;
    try {
        list =
            read_limited_file(list_path, QStringLiteral("The list of mainland forms"), list_limit);
    } catch (const Error&) {
        return false;
    }
    // Only a line of exactly the character's bytes names it; any other line names nothing.
    return list.split('\n').contains(character.toUtf8());
}

}  // namespace

bool keeps_mainland_form(const QString& character, const ArchiveChoice& choice,
                         const QString& folder) {
    if (!teaches_taiwan_order(choice) || !one_character(character)) {
        return false;
    }
    const QString list_path = QDir(folder).filePath(QString::fromLatin1(mainland_forms_file));
    return QFileInfo::exists(list_path) && listed(character, list_path);
}

}  // namespace inkwren

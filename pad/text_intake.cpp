#include "pad/text_intake.h"

#include <QFileInfo>
#include <QList>

#include "platform/whole_file.h"

namespace inkwren {

QString Get_filename(const QString& path) {
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : path.mid(slash + 1).trimmed();
}

QString Get_file_extension(const QString& path) {
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : path.mid(dot + 1).trimmed();
}

void copy_text_file(const QString& source, const QString& target) {
    if (!QFileInfo::exists(source)) {
        return;
    }
    const QByteArray text = read_whole_file(source, QStringLiteral("The text file"));
    QList<QByteArray> lines = text.split('\n');
    // A final line break ends the last line; it does not start another.
    if (text.isEmpty() || text.endsWith('\n')) {
        lines.removeLast();
    }
    QByteArray copy;
    for (QByteArray& line : lines) {
        if (line.endsWith('\r')) {
            line.chop(1);
        }
        copy += line + "\r\n";
    }
    write_whole_file(target, copy);
}

DroppedKind classify_dropped_file(const QString& path) {
    // A folder named like a stroke file is no stroke file.
    if (!QFileInfo(path).isFile()) {
        return DroppedKind::ignored;
    }
    const QString extension = Get_file_extension(path).toLower();
    if (extension == QStringLiteral("wrt")) {
        return DroppedKind::stroke_file;
    }
    if (extension == QStringLiteral("txt")) {
        return Get_filename(path).toLower() == QStringLiteral("mylang.txt")
                   ? DroppedKind::user_language
                   : DroppedKind::text_file;
    }
    return DroppedKind::ignored;
}

}  // namespace inkwren

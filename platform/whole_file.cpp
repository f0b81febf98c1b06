#include "platform/whole_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include "platform/error.h"

namespace inkwren {

int remove_leftover_saves(const QString& folder) {
    static const QRegularExpression leftover(
        QStringLiteral("^.+\\.(cfg|dat|txt|wrt|def|gif|jpg|png)\\.[A-Za-z0-9]{6}$"),
        QRegularExpression::CaseInsensitiveOption);
    QDir dir(folder);
    int removed = 0;
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden)) {
        if (leftover.match(name).hasMatch() && dir.remove(name)) {
            ++removed;
        }
    }
    return removed;
}

void write_whole_file(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        throw Error(QStringLiteral("\"%1\" cannot be written: %2.").arg(path, file.errorString()));
    }
}

QByteArray read_whole_file(const QString& path, const QString& role, qint64 max_size) {
    // Said outright, because the system's word for it varies and some systems read a folder
    // as an empty file.
    if (QFileInfo(path).isDir()) {
        throw Error(QStringLiteral("%1 \"%2\" cannot be read: it is a folder.").arg(role, path));
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw Error(
            QStringLiteral("%1 \"%2\" cannot be opened: %3.").arg(role, path, file.errorString()));
    }
    QByteArray bytes = max_size < 0 ? file.readAll() : file.read(max_size);
    if (file.error() != QFileDevice::NoError) {
        throw Error(
            QStringLiteral("%1 \"%2\" cannot be read: %3.").arg(role, path, file.errorString()));
    }
    return bytes;
}

QString with_file_ending(const QString& name, const QString& ending) {
    return name.endsWith(ending, Qt::CaseInsensitive) ? name : name + ending;
}

}  // namespace inkwren

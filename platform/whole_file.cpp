#include "platform/whole_file.h"

#include <QSaveFile>

#include "platform/error.h"

namespace inkwren {

void write_whole_file(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        throw Error(QStringLiteral("\"%1\" cannot be written: %2.").arg(path, file.errorString()));
    }
}

}  // namespace inkwren

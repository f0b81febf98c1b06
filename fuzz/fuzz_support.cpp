#include "fuzz/fuzz_support.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

namespace inkwren::fuzz {

QString scratch() {
    static QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/筆順-fuzz-XXXXXX"));
    return folder.path() + QLatin1Char('/');
}

QString put_file(const QString& name, const QByteArray& bytes) {
    const QString path = scratch() + name;
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write(bytes);
    }
    return path;
}

QByteArray bytes_of(const std::uint8_t* data, std::size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

QList<QByteArray> parts_of(const QByteArray& input, int count) {
    QList<QByteArray> parts;
    qsizetype start = 0;
    while (parts.size() < count - 1) {
        const qsizetype at = input.indexOf("\n--\n", start);
        if (at < 0) {
            break;
        }
        parts << input.mid(start, at - start);
        start = at + 4;
    }
    parts << input.mid(start);
    while (parts.size() < count) {
        parts << QByteArray();
    }
    return parts;
}

void start_gui() {
    if (QGuiApplication::instance() != nullptr) {
        return;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "inkwren-fuzz";
    static char* argv[] = {name, nullptr};
    // Lives as long as the process: destroyed among the static objects at exit, after Qt's own
    // globals, it would crash.
    static QGuiApplication* const application = new QGuiApplication(argc, argv);
    Q_UNUSED(application);
}

}  // namespace inkwren::fuzz

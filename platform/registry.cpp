#include "platform/registry.h"

#include <QFile>
#include <QStandardPaths>
#include <QStringList>

#include <optional>

#include "platform/code_page.h"

namespace inkwren {
namespace {

QString normalised_key_path(QString key_path) {
    key_path.replace(QLatin1Char('/'), QLatin1Char('\\'));
    while (key_path.startsWith(QLatin1Char('\\'))) {
        key_path.remove(0, 1);
    }
    while (key_path.endsWith(QLatin1Char('\\'))) {
        key_path.chop(1);
    }
    return key_path.trimmed().toCaseFolded();
}

QStringList lines_of(const QString& ini_path) {
    QFile file(ini_path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
}

std::optional<QString> group_name_of(const QString& line) {
    if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
        return line.mid(1, line.size() - 2);
    }
    return std::nullopt;
}

bool is_comment(const QString& line) {
    return line.isEmpty() || line.startsWith(QLatin1Char(';')) || line.startsWith(QLatin1Char('#'));
}

// Calls visit(name, data) for every value of the key; answers whether the key exists.
template <typename Visit>
bool visit_key(const QString& ini_path, const QString& key_path, Visit visit) {
    const QString wanted = normalised_key_path(key_path);
    bool in_key = false;
    bool key_seen = false;
    for (const QString& raw_line : lines_of(ini_path)) {
        const QString line = raw_line.trimmed();
        if (const auto group = group_name_of(line)) {
            in_key = normalised_key_path(*group) == wanted;
            key_seen = key_seen || in_key;
            continue;
        }
        if (!in_key || is_comment(line)) {
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals > 0) {
            visit(line.left(equals).trimmed(), line.mid(equals + 1).trimmed());
        }
    }
    return key_seen;
}

}  // namespace

Registry::Registry(QString ini_path) : ini_path_(std::move(ini_path)) {}

QString Registry::default_path() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/inkwren/registry.ini");
}

QString Registry::extract_keyvalue(const QString& key_path, const QString& value_name) const {
    std::optional<QString> found;
    visit_key(ini_path_, key_path, [&](const QString& name, const QString& data) {
        if (!found && name == value_name) {
            found = data;
        }
    });
    return found.value_or(QString::fromLatin1(absent_value));
}

bool Registry::keyexists(const QString& key_path) const {
    return visit_key(ini_path_, key_path, [](const QString&, const QString&) {});
}

int read_legacy_code_page(const Registry& registry) {
    const QString value = registry.extract_keyvalue(QString::fromLatin1(app_key_path),
                                                    QStringLiteral("legacy code page"));
    return value == QStringLiteral("950") ? big5_code_page : gbk_code_page;
}

}  // namespace inkwren

#include "tools/char_info/package_list.h"

#include <QDir>

#include "platform/error.h"

namespace inkwren::tools {

std::set<char32_t> stroke_package_characters(const QString& package_folder) {
    const QDir folder(package_folder);
    if (!folder.exists()) {
        throw Error(QStringLiteral("The stroke data package folder \"%1\" does not exist.")
                        .arg(package_folder));
    }
    std::set<char32_t> characters;
    for (const QString& name : folder.entryList({QStringLiteral("*.json")}, QDir::Files)) {
        const QList<uint> code_points = name.chopped(5).toUcs4();
        if (code_points.size() == 1) {
            characters.insert(char32_t(code_points[0]));
        }
    }
    return characters;
}

}  // namespace inkwren::tools

#include "tools/model_pictures/package_characters.h"

#include <QDir>

#include <algorithm>

#include "platform/code_page.h"
#include "platform/error.h"

namespace inkwren::tools {
namespace {

// A code the pad can be handed: two bytes that convert back to the character itself. GBK and
// Big5 map a few characters one way only, and "?" stands for no code at all.
bool has_double_byte_code(const QString& character, const QByteArray& code, int code_page) {
    return code.size() == 2 && from_code_page(code, code_page) == character;
}

}  // namespace

std::vector<PackageCharacter> package_characters(const QString& package_folder, int code_page) {
    const QDir folder(package_folder);
    if (!folder.exists()) {
        throw Error(QStringLiteral("The stroke data package folder \"%1\" does not exist.")
                        .arg(package_folder));
    }
    std::vector<PackageCharacter> characters;
    const QStringList names =
        folder.entryList({QStringLiteral("*.json")}, QDir::Files | QDir::Readable);
    for (const QString& name : names) {
        const QString character = name.chopped(5);
        const QList<uint> code_points = character.toUcs4();
        if (code_points.size() != 1) {
            continue;
        }
        const QByteArray code = to_code_page(character, code_page);
        if (has_double_byte_code(character, code, code_page)) {
            characters.push_back({code, char32_t(code_points[0])});
        }
    }
    std::sort(characters.begin(), characters.end(),
              [](const PackageCharacter& a, const PackageCharacter& b) { return a.key < b.key; });
    return characters;
}

}  // namespace inkwren::tools

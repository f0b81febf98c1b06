#include "charinfo/char_info.h"

#include "platform/error.h"

namespace inkwren {

CharInfoTable CharInfoTable::load(const QString& path) {
    throw Error(QStringLiteral("Cannot read %1").arg(path));
}

std::optional<CharInfo> CharInfoTable::find(char32_t) const {
    return std::nullopt;
}

std::size_t CharInfoTable::size() const {
    return 0;
}

CharInfo CharInfoTable::at(std::size_t) const {
    return {};
}

void write_char_info(std::vector<CharInfo>, const QString& path) {
    throw Error(QStringLiteral("Cannot write %1").arg(path));
}

}  // namespace inkwren

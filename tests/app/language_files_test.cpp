#include <gtest/gtest.h>

#include <QStringList>

#include <set>

#include "app/menu_table.h"
#include "langtable/language_table.h"
#include "langtable/text_keys.h"
#include "platform/code_page.h"
#include "tests/support/fixtures.h"

namespace inkwren {
namespace {

// Every key the program asks for: the menus' and the others'.
std::set<QString> asked_keys() {
    const std::vector<QString> others = all_text_keys();
    std::set<QString> keys(others.begin(), others.end());
    for (const MenuEntry& entry : menu_table()) {
        if (entry.caption_key != nullptr) {
            keys.insert(QString::fromLatin1(entry.caption_key));
        }
    }
    return keys;
}

LanguageTable shipped_table(const char* name) {
    LanguageTable table;
    const QString path = testing::shipped_data_file(QString::fromLatin1(name));
    if (!table.load_language(path, gbk_code_page)) {
        ADD_FAILURE() << "missing " << path.toStdString();
    }
    return table;
}

const char* const shipped_files[] = {traditional_language_file, simplified_language_file,
                                     english_language_file};

TEST(ShippedLanguageFiles, HoldATextForEveryKeyTheProgramAsksForOnceAndNoOtherKey) {
    const std::set<QString> known = asked_keys();
    for (const char* name : shipped_files) {
        const LanguageTable table = shipped_table(name);
        std::set<QString> seen;
        for (const LanguageEntry& entry : table.entries()) {
            EXPECT_TRUE(known.contains(entry.key)) << name << ": " << entry.key.toStdString();
            EXPECT_TRUE(seen.insert(entry.key).second)
                << name << " twice: " << entry.key.toStdString();
        }
        for (const QString& key : known) {
            EXPECT_FALSE(table.lookup_text(key).isEmpty())
                << name << " lacks " << key.toStdString();
        }
    }
}

}  // namespace
}  // namespace inkwren

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

#include <set>
#include <string_view>

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

QString manual_file(const QString& name) {
    return testing::shipped_data_file(QStringLiteral("manual/") + name);
}

TEST(ShippedManual, EachPageNamesTheMenusAsItsLanguageShowsThemAndItsPicturesExist) {
    // In the order of the language files.
    const char* const pages[] = {"index.html", "index-gb.html", "index-en.html"};
    for (int language = 0; language < 3; ++language) {
        SCOPED_TRACE(pages[language]);
        // Line breaks in HTML text are blanks.
        const QString page =
            QString::fromUtf8(testing::read_file(manual_file(QString::fromLatin1(pages[language]))))
                .simplified();
        const LanguageTable table = shipped_table(shipped_files[language]);
        for (const MenuEntry& entry : menu_table()) {
            // The hidden workbook item is not for users; the spare encoding item is a line.
            // Keys are compared as text: the same literal may sit at two addresses.
            if (entry.caption_key == nullptr ||
                std::string_view(entry.caption_key) == text_key::open_workbook_item ||
                std::string_view(entry.caption_key) == text_key::spare_encoding_item) {
                continue;
            }
            const QString caption = table.lookup_text(QString::fromLatin1(entry.caption_key));
            EXPECT_TRUE(page.contains(caption)) << entry.name << " " << caption.toStdString();
        }
        const QRegularExpression picture(QStringLiteral("src=\"([^\"]+)\""));
        int pictures = 0;
        for (const QRegularExpressionMatch& match : picture.globalMatch(page)) {
            ++pictures;
            EXPECT_TRUE(QFileInfo(manual_file(match.captured(1))).isFile())
                << match.captured(1).toStdString();
        }
        EXPECT_GE(pictures, 5);
    }
}

}  // namespace
}  // namespace inkwren

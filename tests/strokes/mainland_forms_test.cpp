#include <gtest/gtest.h>

#include <QDir>

#include "strokes/mainland_forms.h"
#include "tests/support/fixtures.h"

namespace inkwren {
namespace {

using testing::TempFolder;
using testing::write_file;

TEST(MainlandForms, OnlyTaiwansOrderOfTheTraditionalLibraryMarksTheListedCharacters) {
    TempFolder folder;
    ArchiveChoice taiwan;
    choose_traditional_archive(taiwan, folder.path());
    ArchiveChoice mainland;
    choose_traditional_archive(mainland, folder.path(), StrokeOrderStandard::mainland);
    const ArchiveChoice simplified;
    EXPECT_FALSE(keeps_mainland_form(QStringLiteral("花"), taiwan, folder.path()))
        << "no list: nothing is marked";

    // Odd lines name nothing: two characters, a carriage return, a blank, broken UTF-8, a BOM.
    write_file(folder.file(QString::fromLatin1(mainland_forms_file)),
               QByteArray("花\n這樣\n道\r\n\n\xFF\n\xEF\xBB\xBF邊\n𠀀\n辶"));
    const struct {
        const char* character;
        bool marked;
    } cases[] = {
        {"花", true},  {"辶", true},  {"𠀀", true},  {"這", false}, {"這樣", false},
        {"道", false}, {"邊", false}, {"永", false}, {"", false},
    };
    for (const auto& [character, marked] : cases) {
        const QString text = QString::fromUtf8(character);
        SCOPED_TRACE(character);
        EXPECT_EQ(keeps_mainland_form(text, taiwan, folder.path()), marked);
        EXPECT_FALSE(keeps_mainland_form(text, mainland, folder.path()));
        EXPECT_FALSE(keeps_mainland_form(text, simplified, folder.path()));
    }

    // A list that cannot be read marks nothing either.
    const QString folder_as_list = folder.file(QStringLiteral("list-is-a-folder"));
    QDir().mkpath(folder_as_list + QStringLiteral("/") + QString::fromLatin1(mainland_forms_file));
    EXPECT_FALSE(keeps_mainland_form(QStringLiteral("花"), taiwan, folder_as_list));
}

}  // namespace
}  // namespace inkwren

#include <gtest/gtest.h>

#include <string_view>

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSet>

#include "app/menu_table.h"
#include "app/tray_icon.h"
#include "langtable/text_keys.h"
#include "tests/app/app_fixture.h"

namespace inkwren {
namespace {

using testing::read_file;
using testing::shipped_data_file;
using testing::write_file;

QString latin(const char* text) {
    return QString::fromLatin1(text);
}

// The items as the window shows them, depth first, each as "menu/item".
void list_items(const QList<QAction*>& actions, const QString& menu, QStringList& items) {
    for (QAction* action : actions) {
        items << menu + u'/' + action->objectName();
        if (const QMenu* submenu = action->menu()) {
            list_items(submenu->actions(), action->objectName(), items);
        }
    }
}

class MenusTest : public testing::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        window->shell().set_url_opener([this](const QUrl& url) {
            opened << url;
            return true;
        });
    }

    bool stays_on_top() const { return window->windowFlags().testFlag(Qt::WindowStaysOnTopHint); }

    void write_manual_pages() {
        QDir().mkpath(file("manual"));
        for (const char* page : {"index.html", "index-gb.html", "index-en.html"}) {
            write_file(installation + QStringLiteral("manual/") + latin(page), "<html></html>");
        }
    }

    QList<QUrl> opened;
};

TEST_F(MenusTest, EveryItemOfTheTableSitsInItsMenuInTableOrder) {
    QStringList expected;
    for (const MenuEntry& entry : menu_table()) {
        expected << latin(entry.menu) + u'/' + latin(entry.name);
    }
    QStringList shown;
    list_items(window->menuBar()->actions(), QString(), shown);
    const auto* popup = window->findChild<QMenu*>(latin(popup_menu_name));
    ASSERT_NE(popup, nullptr);
    list_items(popup->actions(), popup->objectName(), shown);
    EXPECT_EQ(shown, expected);
}

// Separators stay lines without text, and an item without a key keeps its designed caption.
TEST_F(MenusTest, EveryLanguageGivesEachItemItsCaptionFromItsFile) {
    for (const MenuEntry& language : menu_table()) {
        const auto* file = std::get_if<LanguageFile>(&language.wiring.choice);
        if (file == nullptr) {
            continue;
        }
        item(language.name)->trigger();
        LanguageTable table;
        ASSERT_TRUE(table.load_language(installation + latin(file->file), 936));
        for (const MenuEntry& entry : menu_table()) {
            SCOPED_TRACE(std::string(file->file) + " " + entry.name);
            const QAction* action = item(entry.name);
            QString caption = entry.caption_key != nullptr
                                  ? table.lookup_text(latin(entry.caption_key))
                                  : QString::fromUtf8(entry.caption);
            const bool line = entry.kind == MenuKind::separator && caption == QStringLiteral("-");
            EXPECT_EQ(action->isSeparator(), line);
            EXPECT_EQ(action->text(), line ? QString() : caption);
        }
    }
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

// A toggle flips the switch its check mark shows; a choice, even chosen again, puts its check
// mark on itself alone.
TEST_F(MenusTest, EveryCheckMarkShowsTheStateItsItemSets) {
    const Shell& shell = window->shell();
    for (const MenuEntry& entry : menu_table()) {
        if (entry.kind != MenuKind::toggle && entry.kind != MenuKind::choice) {
            continue;
        }
        SCOPED_TRACE(entry.name);
        QAction* action = item(entry.name);
        const std::optional<bool> before = check_mark(entry, shell);
        ASSERT_TRUE(before);
        action->trigger();
        if (entry.kind == MenuKind::choice) {
            action->trigger();
            EXPECT_EQ(check_mark(entry, shell), true);
        } else {
            EXPECT_EQ(check_mark(entry, shell), !*before);
        }
        EXPECT_EQ(action->isChecked(), *check_mark(entry, shell));
        for (const MenuEntry& other : menu_table()) {
            if (other.kind == MenuKind::choice && entry.kind == MenuKind::choice &&
                std::string_view(other.menu) == entry.menu && &other != &entry) {
                EXPECT_FALSE(item(other.name)->isChecked()) << other.name;
            }
        }
    }
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(MenusTest, NoTwoItemsShareAKey) {
    QSet<QKeySequence> keys;
    for (const QAction* action : window->findChildren<QAction*>()) {
        for (const QKeySequence& key : action->shortcuts()) {
            EXPECT_FALSE(keys.contains(key)) << action->objectName().toStdString();
            keys.insert(key);
        }
    }
}

TEST_F(MenusTest, TheSettingsProgramItemIsShownOnlyWhenTheProgramIsThere) {
    EXPECT_FALSE(item("N47")->isVisible());
    EXPECT_TRUE(item("N48")->isVisible());
    window.reset();
    write_file(file("config.exe"), "");
    window = start();
    EXPECT_TRUE(item("N47")->isVisible());
}

TEST_F(MenusTest, TheUserLanguageNamesItsItemAndLeavesTheCheckMarkOnTheBuiltInLanguage) {
    write_file(file("mylang.txt"), "LANGUAGE Deutsch\r\n0112 Neunerfeld\r\n");
    item("N32")->trigger();
    item("N45")->trigger();
    EXPECT_EQ(item("N2")->text(), QStringLiteral("Neunerfeld"));
    EXPECT_EQ(item("N45")->text(), QStringLiteral("Deutsch"));
    EXPECT_TRUE(item("N45")->isVisible());
    EXPECT_TRUE(item("N32")->isChecked());
}

TEST_F(MenusTest, StayOnTopTogglesAndATrayClickRestoresItWithoutCheckingTheItem) {
    EXPECT_TRUE(stays_on_top());
    item("N5")->trigger();
    ASSERT_FALSE(stays_on_top());
    window->showMinimized();
    window->tray_icon().restore_window();
    EXPECT_TRUE(stays_on_top());
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isMinimized());
    EXPECT_FALSE(item("N5")->isChecked());
    // The item still reads unchecked, so choosing it switches stay-on-top on.
    item("N5")->trigger();
    EXPECT_TRUE(item("N5")->isChecked());
    EXPECT_TRUE(stays_on_top());
}

TEST_F(MenusTest, TheAboutBoxShowsTheProductNameAndVersionInTheLanguageInForce) {
    item("N31")->trigger();
    item("N4")->trigger();
    const Shell& shell = window->shell();
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].caption, shell.text(text_key::about_caption));
    EXPECT_EQ(dialogs.shown[0].text, shell.text(text_key::window_caption) + QStringLiteral("  , ") +
                                         shell.text(text_key::about_text));
    EXPECT_NE(shell.text(text_key::about_caption), QStringLiteral("About Inkwren"));
}

TEST_F(MenusTest, TheHiddenWorkbookItemOnlyNamesTheWindow) {
    window->setWindowTitle(QString());
    item("N27")->trigger();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Inkwren"));
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(MenusTest, SoftwareUpdateIsGreyedOutAndDoesNothing) {
    EXPECT_FALSE(item("N7")->isEnabled());
    item("N7")->trigger();
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(MenusTest, TheManualOpensInTheLanguageInForce) {
    write_manual_pages();
    write_file(file("mylang.txt"), "LANGUAGE Deutsch\r\n");
    const struct {
        const char* language;
        const char* page;
    } cases[] = {{"N31", "index.html"},
                 {"N32", "index-gb.html"},
                 {"N33", "index-en.html"},
                 {"N31", "index.html"},
                 {"N45", "index-en.html"}};
    for (const auto& choice : cases) {
        SCOPED_TRACE(choice.language);
        item(choice.language)->trigger();
        opened.clear();
        item("N8")->trigger();
        EXPECT_EQ(opened, QList<QUrl>{QUrl::fromLocalFile(file("manual/") + latin(choice.page))});
    }
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(MenusTest, AMissingManualOrBrowserIsReportedWithThePagesPath) {
    item("N8")->trigger();
    EXPECT_TRUE(opened.isEmpty());
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].caption, QStringLiteral("File not found"));
    EXPECT_TRUE(dialogs.shown[0].text.endsWith(QStringLiteral("index-en.html")));

    write_manual_pages();
    window->shell().set_url_opener([](const QUrl&) { return false; });
    dialogs.shown.clear();
    item("N8")->trigger();
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_TRUE(dialogs.shown[0].text.endsWith(QStringLiteral("index-en.html")));
}

TEST(ShippedManual, EachPageNamesTheMenusAsItsLanguageShowsThemAndItsPicturesExist) {
    const struct {
        const char* page;
        const char* language;
    } pages[] = {{"index.html", "lang.txt"},
                 {"index-gb.html", "lang-gb.txt"},
                 {"index-en.html", "english.txt"}};
    for (const auto& shipped : pages) {
        SCOPED_TRACE(shipped.page);
        // Line breaks in HTML text are blanks.
        const QString page =
            QString::fromUtf8(
                read_file(shipped_data_file(QStringLiteral("manual/") + latin(shipped.page))))
                .simplified();
        LanguageTable language;
        ASSERT_TRUE(language.load_language(shipped_data_file(latin(shipped.language)), 936));
        for (const MenuEntry& entry : menu_table()) {
            // The hidden workbook item is not for users; the spare encoding item is a line.
            // Keys are compared as text: the same literal may sit at two addresses.
            if (entry.caption_key == nullptr ||
                std::string_view(entry.caption_key) == text_key::open_workbook_item ||
                std::string_view(entry.caption_key) == text_key::spare_encoding_item) {
                continue;
            }
            const QString caption = language.lookup_text(latin(entry.caption_key));
            EXPECT_TRUE(page.contains(caption)) << entry.name << " " << caption.toStdString();
        }
        const QRegularExpression picture(QStringLiteral("src=\"([^\"]+)\""));
        int pictures = 0;
        for (const QRegularExpressionMatch& match : picture.globalMatch(page)) {
            ++pictures;
            EXPECT_TRUE(QFileInfo(shipped_data_file(QStringLiteral("manual/") + match.captured(1)))
                            .isFile())
                << match.captured(1).toStdString();
        }
        EXPECT_GE(pictures, 5);
    }
}

}  // namespace
}  // namespace inkwren

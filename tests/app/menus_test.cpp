#include <gtest/gtest.h>

#include <set>
#include <string>

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QSet>

#include "app/menu_table.h"
#include "app/tray_icon.h"
#include "langtable/text_keys.h"
#include "tests/app/app_fixture.h"

namespace inkwren {
namespace {

using testing::write_file;

QString latin(const char* text) {
    return QString::fromLatin1(text);
}

// An item as the window shows it: the menu it is in, its name and its caption, or a line.
QString shown_as(const QString& menu, const char* name, bool line, const QString& caption) {
    return menu + u'/' + latin(name) + (line ? QStringLiteral(" —— ") : QStringLiteral(" ")) +
           caption;
}

// The items of the menus, depth first.
void list_items(const QList<QAction*>& actions, const QString& menu, QStringList& items) {
    for (QAction* action : actions) {
        const QByteArray name = action->objectName().toLatin1();
        items << shown_as(menu, name.constData(), action->isSeparator(), action->text());
        if (const QMenu* submenu = action->menu()) {
            list_items(submenu->actions(), action->objectName(), items);
        }
    }
}

TEST(MenuTable, EveryItemHasItsOwnNameAndAMenuDeclaredBeforeIt) {
    std::set<std::string> names = {popup_menu_name};
    for (const MenuEntry& entry : menu_table()) {
        EXPECT_TRUE(entry.menu == nullptr || names.contains(entry.menu)) << entry.name;
        EXPECT_TRUE(names.insert(entry.name).second) << "twice: " << entry.name;
    }
}

class MenusTest : public testing::WindowTest {
protected:
    bool stays_on_top() const { return window->windowFlags().testFlag(Qt::WindowStaysOnTopHint); }
};

// A separator stays a line without text unless its caption names it; an item without a key
// keeps its designed caption.
TEST_F(MenusTest, EveryItemSitsInItsMenuInTableOrderWithItsCaptionFromEachLanguageFile) {
    for (const MenuEntry& language : menu_table()) {
        const auto* file = std::get_if<LanguageFile>(&language.wiring.choice);
        if (file == nullptr) {
            continue;
        }
        SCOPED_TRACE(file->file);
        item(language.name)->trigger();
        LanguageTable table;
        ASSERT_TRUE(table.load_language(installation + latin(file->file), 936));
        QStringList expected;
        for (const MenuEntry& entry : menu_table()) {
            const QString caption = entry.caption_key != nullptr
                                        ? table.lookup_text(latin(entry.caption_key))
                                        : QString::fromUtf8(entry.caption);
            const bool line = entry.kind == MenuKind::separator && caption == QStringLiteral("-");
            expected << shown_as(latin(entry.menu), entry.name, line, line ? QString() : caption);
        }
        QStringList shown;
        list_items(window->menuBar()->actions(), QString(), shown);
        const auto* popup = window->findChild<QMenu*>(latin(popup_menu_name));
        ASSERT_NE(popup, nullptr);
        list_items(popup->actions(), popup->objectName(), shown);
        EXPECT_EQ(shown, expected);
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
        if (entry.kind == MenuKind::toggle) {
            EXPECT_EQ(check_mark(entry, shell), !*before);
        } else {
            action->trigger();
            EXPECT_EQ(check_mark(entry, shell), true);
            QStringList marked;
            for (const QAction* choice : action->actionGroup()->actions()) {
                if (choice->isChecked()) {
                    marked << choice->objectName();
                }
            }
            EXPECT_EQ(marked, QStringList{action->objectName()});
        }
        EXPECT_EQ(action->isChecked(), *check_mark(entry, shell));
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
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

// The user's own language has no manual of its own: the English one opens.
TEST_F(MenusTest, TheManualOpensInTheLanguageInForceAndAFailureIsReportedWithItsPath) {
    QList<QUrl> opened;
    window->shell().set_url_opener([&opened](const QUrl& url) {
        opened << url;
        return true;
    });
    item("N8")->trigger();
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].caption, QStringLiteral("File not found"));
    EXPECT_TRUE(dialogs.shown[0].text.endsWith(QStringLiteral("index-en.html")));
    dialogs.shown.clear();

    QDir().mkpath(file("manual"));
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
        write_file(file("manual/") + latin(choice.page), "<html></html>");
        item(choice.language)->trigger();
        opened.clear();
        item("N8")->trigger();
        EXPECT_EQ(opened, QList<QUrl>{QUrl::fromLocalFile(file("manual/") + latin(choice.page))});
    }
    EXPECT_TRUE(dialogs.shown.isEmpty());

    window->shell().set_url_opener([](const QUrl&) { return false; });
    item("N8")->trigger();
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_TRUE(dialogs.shown[0].text.endsWith(QStringLiteral("index-en.html")));
}

}  // namespace
}  // namespace inkwren

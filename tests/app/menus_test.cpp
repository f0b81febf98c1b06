#include <gtest/gtest.h>

#include <string_view>

#include <QAction>
#include <QFileInfo>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>

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

class MenusTest : public testing::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        window->shell().set_url_opener([this](const QUrl& url) {
            opened << url;
            return true;
        });
    }

    // The names of the items of a check-mark group that carry a check mark.
    QStringList checked(std::initializer_list<const char*> group) const {
        QStringList names;
        for (const char* name : group) {
            if (item(name)->isChecked()) {
                names << latin(name);
            }
        }
        return names;
    }

    QMenu* menu_of(const QString& name) const {
        if (name == QLatin1String(popup_menu_name)) {
            return qobject_cast<QMenu*>(item("N22")->associatedObjects().value(0));
        }
        return window->item(name)->menu();
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

// ---- Every item, its place and its state at start

TEST_F(MenusTest, TheWindowBuildsEveryItemOfTheTableInItsPlaceWithItsStartState) {
    QStringList bar;
    for (const QAction* action : window->menuBar()->actions()) {
        bar << action->objectName();
    }
    EXPECT_EQ(bar, (QStringList{"N11", "N1", "N6"}));
    QMap<QString, QStringList> placed;
    for (const MenuEntry& entry : menu_table()) {
        SCOPED_TRACE(entry.name);
        if (entry.menu != nullptr) {
            placed[latin(entry.menu)] << latin(entry.name);
        }
        const QAction* action = item(entry.name);
        ASSERT_NE(action, nullptr);
        // The settings program item shows only when the program is there (it is not here).
        EXPECT_EQ(action->isVisible(), entry.visible && latin(entry.name) != QLatin1String("N47"));
        EXPECT_EQ(action->isSeparator(), entry.kind == MenuKind::separator);
        EXPECT_EQ(action->isCheckable(),
                  entry.kind == MenuKind::toggle || entry.kind == MenuKind::choice);
        if (action->isCheckable() && latin(entry.menu) != QLatin1String("N30")) {
            EXPECT_EQ(action->isChecked(), entry.checked);
        }
    }
    EXPECT_EQ(placed.size(), 10);
    for (auto menu = placed.cbegin(); menu != placed.cend(); ++menu) {
        SCOPED_TRACE(menu.key().toStdString());
        QMenu* built = menu_of(menu.key());
        ASSERT_NE(built, nullptr);
        QStringList names;
        for (const QAction* action : built->actions()) {
            names << action->objectName();
        }
        EXPECT_EQ(names, menu.value());
    }
    // The language stored in a new installation's preferences.
    EXPECT_EQ(checked({"N31", "N32", "N33"}), QStringList{"N33"});
    EXPECT_TRUE(stays_on_top());
}

TEST_F(MenusTest, TheSettingsProgramItemIsShownWhenTheProgramIsThere) {
    window.reset();
    write_file(file("config.exe"), "");
    window = start();
    EXPECT_TRUE(item("N47")->isVisible());
    EXPECT_TRUE(item("N48")->isVisible());
}

TEST_F(MenusTest, SeparatorsStayLinesWithoutTextInEveryLanguage) {
    for (const char* language : {"N31", "N32", "N33"}) {
        item(language)->trigger();
        for (const MenuEntry& entry : menu_table()) {
            if (entry.kind == MenuKind::separator) {
                SCOPED_TRACE(std::string(language) + " " + entry.name);
                EXPECT_TRUE(item(entry.name)->isSeparator());
                EXPECT_TRUE(item(entry.name)->text().isEmpty());
            }
        }
    }
}

// ---- Check-mark groups

TEST_F(MenusTest, EachChoiceGroupMovesItsCheckMarkToTheChosenItem) {
    const std::vector<std::vector<const char*>> groups = {
        {"N31", "N32", "N33"},
        {"N50", "n35", "n36", "n37", "n60"},
        {"N41", "N42"},
        {"N1001", "N501"},
    };
    for (const auto& group : groups) {
        for (const char* chosen : group) {
            SCOPED_TRACE(chosen);
            item(chosen)->trigger();
            for (const char* other : group) {
                EXPECT_EQ(item(other)->isChecked(), other == chosen) << other;
            }
        }
    }
    // Choosing the checked item again keeps its check mark.
    item("n37")->trigger();
    item("n37")->trigger();
    EXPECT_EQ(checked({"N50", "n35", "n36", "n37", "n60"}), QStringList{"n37"});
}

TEST_F(MenusTest, TheUserLanguageLeavesTheCheckMarkOnTheBuiltInLanguage) {
    write_file(file("mylang.txt"), "LANGUAGE Deutsch\r\n0112 Neunerfeld\r\n");
    item("N32")->trigger();
    item("N45")->trigger();
    EXPECT_EQ(item("N2")->text(), QStringLiteral("Neunerfeld"));
    EXPECT_TRUE(item("N45")->isVisible());
    EXPECT_FALSE(item("N45")->isCheckable());
    EXPECT_EQ(checked({"N31", "N32", "N33"}), QStringList{"N32"});
    // A built-in language chosen afterwards takes the mark as usual.
    item("N31")->trigger();
    EXPECT_EQ(checked({"N31", "N32", "N33"}), QStringList{"N31"});
}

// ---- Stay on top, the tray icon and the about box

TEST_F(MenusTest, StayOnTopTogglesBothWays) {
    item("N5")->trigger();
    EXPECT_FALSE(item("N5")->isChecked());
    EXPECT_FALSE(window->shell().stay_on_top());
    EXPECT_FALSE(stays_on_top());
    item("N5")->trigger();
    EXPECT_TRUE(item("N5")->isChecked());
    EXPECT_TRUE(stays_on_top());
}

TEST_F(MenusTest, ATrayClickBringsTheWindowBackOnTopWithoutCheckingTheItem) {
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
    for (const char* language : {"N31", "N33"}) {
        item(language)->trigger();
        dialogs.shown.clear();
        item("N4")->trigger();
        ASSERT_EQ(dialogs.shown.size(), 1);
        const Shell& shell = window->shell();
        EXPECT_EQ(dialogs.shown[0].caption, shell.text(text_key::about_caption));
        EXPECT_EQ(dialogs.shown[0].text, shell.text(text_key::window_caption) +
                                             QStringLiteral("  , ") +
                                             shell.text(text_key::about_text));
        EXPECT_FALSE(dialogs.shown[0].question);
    }
    EXPECT_EQ(dialogs.shown[0].caption, QStringLiteral("About Inkwren"));
}

TEST_F(MenusTest, TheHiddenWorkbookItemOnlyNamesTheWindow) {
    window->setWindowTitle(QString());
    item("N27")->trigger();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Inkwren"));
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

// ---- Help

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

// ---- The manual we ship

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

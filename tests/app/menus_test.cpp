#include <gtest/gtest.h>

#include <string_view>

#include <QAction>
#include <QFileInfo>
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

// Every item as the window is designed: its place, its designed caption and its state at start.
struct Designed {
    const char* name;
    const char* menu;
    const char* caption;
    MenuKind kind;
    bool checked = false;
    bool visible = true;
};

const std::vector<Designed>& designed_items() {
    using K = MenuKind;
    static const char* const popup = popup_menu_name;
    // clang-format off
    static const std::vector<Designed> items = {
        {"N11", nullptr, "檔案", K::submenu},
        {"N16", "N11", "自定文字", K::submenu},
        {"N17", "N16", "更新", K::command},
        {"N19", "N16", "刪除", K::command},
        {"N29", "N11", "-", K::separator},
        {"N14", "N11", "動畫", K::submenu},
        {"Gif1", "N14", "輸出到網頁動畫(Gif)", K::toggle},
        {"N1001", "N14", "100%", K::choice, true},
        {"N501", "N14", "50%", K::choice},
        {"N15", "N11", "-", K::separator},
        {"N28", "N11", "儲存筆劃檔案...", K::command},
        {"N26", "N11", "儲存設定...", K::command},
        {"N47", "N11", "設定...", K::command, false, false},
        {"N48", "N11", "-", K::separator},
        {"N27", "N11", "開啟練習簿", K::command, false, false},
        {"N38", "N11", "離開", K::command},
        {"N1", nullptr, "檢視", K::submenu},
        {"N2", "N1", "九宮格", K::toggle, true},
        {"N13", "N1", "鉛筆", K::toggle, true},
        {"N20", "N1", "閃爍棒", K::toggle, true},
        {"N9", "N1", "-", K::separator},
        {"N39", "N1", "逐格筆順", K::command},
        {"separator4", "N1", "-", K::separator},
        {"n18", "N1", "使用自定文字", K::toggle, true},
        {"N40", "N1", "-", K::separator},
        {"N30", "N1", "語系", K::submenu},
        {"N31", "N30", "中文(繁體)", K::choice},
        {"N32", "N30", "中文(簡體)", K::choice},
        {"N33", "N30", "英文 / English", K::choice},
        {"N45", "N30", "", K::command, false, false},
        {"N46", "N1", "-", K::separator},
        {"N34", "N1", "編碼", K::submenu},
        {"N50", "N34", "Autodetect", K::choice},
        {"N44", "N34", "-", K::separator},
        {"n35", "N34", "Unicode (Traditional)", K::choice},
        {"n36", "N34", "Unicode (Simplified)", K::choice},
        {"n37", "N34", "Big 5", K::choice},
        {"n60", "N34", "GB", K::choice, true},
        {"n61", "N34", "-", K::separator},
        {"Configure1", "N34", "Configure...", K::command, false, false},
        {"N49", "N1", "-", K::separator},
        {"N43", "N1", "字庫", K::submenu},
        {"N41", "N43", "繁體字庫", K::choice},
        {"N42", "N43", "簡體字庫", K::choice, true},
        {"N52", "N1", "-", K::separator},
        {"N53", "N1", "筆順編號", K::toggle},
        {"N54", "N1", "-", K::separator},
        {"N55", "N1", "播放", K::submenu},
        {"N56", "N55", "播放/暫停", K::command},
        {"N57", "N55", "下一筆", K::command},
        {"N58", "N55", "上一筆", K::command},
        {"N59", "N55", "不顯示筆劃", K::command},
        {"N60", "N55", "顯示全字", K::command},
        {"N61", "N55", "循環播放", K::toggle},
        {"N62", "N55", "加快", K::command},
        {"N63", "N55", "減慢", K::command},
        {"N6", nullptr, "輔助", K::submenu},
        {"N7", "N6", "軟件更新...", K::command},
        {"N8", "N6", "使用說明", K::command},
        {"N22", popup, "加入閃爍棒", K::command},
        {"N21", popup, "刪除閃爍棒", K::command},
        {"N12", popup, "-", K::separator},
        {"N25", popup, "刪除這個自定的文字", K::command},
        {"N51", popup, "-", K::separator},
        {"N5", popup, "置於螢光幕最上層", K::toggle, true},
        {"N4", popup, "關於本軟件.....", K::command},
    };
    // clang-format on
    return items;
}

QString latin(const char* text) {
    return QString::fromLatin1(text);
}

class MenusTest : public testing::AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        window = start();
        ASSERT_TRUE(window);
        window->shell().set_url_opener([this](const QUrl& url) {
            opened << url;
            return true;
        });
    }

    QAction* item(const char* name) const { return window->item(latin(name)); }

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

    QMenu* menu_of(const char* name) const {
        if (name == QLatin1String(popup_menu_name)) {
            return qobject_cast<QMenu*>(item("N22")->associatedObjects().value(0));
        }
        return item(name)->menu();
    }

    bool stays_on_top() const { return window->windowFlags().testFlag(Qt::WindowStaysOnTopHint); }

    void write_manual_pages() {
        QDir().mkpath(file("manual"));
        for (const char* page : {"index.html", "index-gb.html", "index-en.html"}) {
            write_file(installation + QStringLiteral("manual/") + latin(page), "<html></html>");
        }
    }

    std::unique_ptr<TForm1> window;
    QList<QUrl> opened;
};

// ---- Every item, its place and its state at start

TEST_F(MenusTest, TheTableHoldsEveryItemInItsPlaceWithItsDesignedCaptionAndKind) {
    const std::vector<MenuEntry>& table = menu_table();
    const std::vector<Designed>& designed = designed_items();
    ASSERT_EQ(table.size(), designed.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
        SCOPED_TRACE(designed[i].name);
        EXPECT_STREQ(table[i].name, designed[i].name);
        EXPECT_EQ(latin(table[i].menu), latin(designed[i].menu));
        EXPECT_STREQ(table[i].caption, designed[i].caption);
        EXPECT_EQ(table[i].kind, designed[i].kind);
    }
}

TEST_F(MenusTest, TheWindowBuildsEveryMenuInTheTablesOrder) {
    QStringList bar;
    for (const QAction* action : window->menuBar()->actions()) {
        bar << action->objectName();
    }
    EXPECT_EQ(bar, (QStringList{"N11", "N1", "N6"}));
    for (const char* menu :
         {"N11", "N16", "N14", "N1", "N30", "N34", "N43", "N55", "N6", popup_menu_name}) {
        SCOPED_TRACE(menu);
        QStringList expected;
        for (const Designed& designed : designed_items()) {
            if (designed.menu != nullptr && latin(designed.menu) == latin(menu)) {
                expected << latin(designed.name);
            }
        }
        QMenu* built = menu_of(menu);
        ASSERT_NE(built, nullptr);
        QStringList names;
        for (const QAction* action : built->actions()) {
            names << action->objectName();
        }
        EXPECT_EQ(names, expected);
    }
}

TEST_F(MenusTest, AfterStartEveryItemShowsItsStartState) {
    for (const Designed& designed : designed_items()) {
        SCOPED_TRACE(designed.name);
        const QAction* action = item(designed.name);
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->isVisible(), designed.visible);
        EXPECT_EQ(action->isSeparator(), designed.kind == MenuKind::separator);
        EXPECT_EQ(action->isCheckable(),
                  designed.kind == MenuKind::toggle || designed.kind == MenuKind::choice);
        if (action->isCheckable() && latin(designed.menu) != QLatin1String("N30")) {
            EXPECT_EQ(action->isChecked(), designed.checked);
        }
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
        for (const Designed& designed : designed_items()) {
            if (designed.kind == MenuKind::separator) {
                SCOPED_TRACE(std::string(language) + " " + designed.name);
                EXPECT_TRUE(item(designed.name)->isSeparator());
                EXPECT_TRUE(item(designed.name)->text().isEmpty());
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

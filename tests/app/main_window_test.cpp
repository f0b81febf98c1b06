#include <gtest/gtest.h>

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSet>
#include <QSlider>
#include <QTest>
#include <QUrl>

#include "animation/stroke_model.h"
#include "app/menu_table.h"
#include "langtable/text_keys.h"
#include "pad/pad_view.h"
#include "platform/code_page.h"
#include "strokes/stroke_text.h"
#include "tests/app/app_fixture.h"

namespace inkwren {
namespace {

using testing::read_file;
using testing::write_file;

QString latin(const char* text) {
    return QString::fromLatin1(text);
}

using MainWindowTest = testing::WindowTest;

// Typed and copied characters reach the pad; detection never changes the stored choice or the
// check mark. A typed character no library holds is noted beside the field until the note's
// time is up or the field is typed in; a copied one stays silent.
TEST_F(MainWindowTest, TypedAndCopiedCharactersAreShown) {
    QLineEdit* field = window->character_field();
    PadView& view = window->pad_view();
    const auto enter = [&](const QString& text) {
        field->setText(text);
        emit field->returnPressed();
    };
    enter(QStringLiteral("龘"));
    EXPECT_TRUE(view.shows_missing_note());
    EXPECT_EQ(view.findChild<QLabel*>(QStringLiteral("MissingCharacterNote"))->text(),
              window->shell().text(text_key::not_in_library_note));
    view.hide_missing_note();  // the timer ran out
    window->clipboard_changed(QStringLiteral("龘"));
    EXPECT_FALSE(view.shows_missing_note());
    enter(QStringLiteral("龘"));
    QTest::keyClicks(field, QStringLiteral("x"));
    EXPECT_FALSE(view.shows_missing_note());
    enter(QStringLiteral("我"));
    EXPECT_FALSE(view.shows_missing_note());
    EXPECT_EQ(strokes_shown(), 7);
    item("N50")->trigger();
    // The Big5 bytes of 國 as a GBK system decodes them: found by the Big5 reading.
    window->clipboard_changed(from_code_page(to_code_page(QStringLiteral("國"), 950), 936));
    EXPECT_EQ(strokes_shown(), 11);
    EXPECT_EQ(read_file(file("prefer.cfg"))[124], 0);
    EXPECT_TRUE(item("N50")->isChecked());
    EXPECT_FALSE(item("n60")->isChecked());
}

// Drops, as a file manager offers them to copy or move, are answered as copies and handled once
// the drag is over; a damaged stroke file is reported then too, and keeps the character.
TEST_F(MainWindowTest, DropsAreAnsweredAsCopiesAndHandledOnceTheDragIsOver) {
    const auto drop = [&](const QStringList& names) {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& name : names) {
            urls << QUrl::fromLocalFile(folder.file(name));
        }
        data.setUrls(urls);
        QDropEvent event(QPointF(10, 10), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                         Qt::NoModifier);
        event.setDropAction(Qt::MoveAction);
        // Delivered as a drop reaches a widget, without the application's drag bookkeeping.
        static_cast<QObject*>(window.get())->event(&event);
        return event.dropAction();
    };
    write_strokes(testing::sample_lines(3), QStringLiteral("練習"), folder.path());
    write_strokes(testing::sample_lines(9), QStringLiteral("第二"), folder.path());
    EXPECT_EQ(drop({QStringLiteral("練習.wrt"), QStringLiteral("第二.wrt")}), Qt::CopyAction);
    EXPECT_EQ(strokes_shown(), 5);
    QCoreApplication::processEvents();
    EXPECT_EQ(strokes_shown(), 3);

    write_file(folder.file("壞.wrt"), QByteArray("\x01\xFF\x13garbage\t\t\n", 12));
    drop({QStringLiteral("壞.wrt")});
    EXPECT_TRUE(dialogs.shown.isEmpty());
    QCoreApplication::processEvents();
    EXPECT_TRUE(dialogs.showed(QStringLiteral("壞.wrt")));
}

TEST_F(MainWindowTest, ADroppedUserLanguageIsInstalledAndChosen) {
    write_file(folder.file("MyLang.TXT"), "LANGUAGE Deutsch\n0112 Neunerfeld\n");
    window->drop_files({folder.file("MyLang.TXT")});
    EXPECT_EQ(item("N45")->text(), QStringLiteral("Deutsch"));
    EXPECT_TRUE(item("N33")->isChecked()) << "the language in force stays checked";
    const QByteArray preferences = read_file(file("prefer.cfg"));
    EXPECT_EQ(preferences.mid(1, 11), QByteArray("\x0Amylang.txt"));
    EXPECT_EQ(preferences.mid(62, 8), QByteArray("\x07"
                                                 "Deutsch"));
}

// A language or library switch rewrites the preferences; a failed one leaves the check mark on
// the one in force.
TEST_F(MainWindowTest, AFailedSwitchLeavesTheCheckMarkOnTheLanguageOrLibraryInForce) {
    const struct {
        const char* chosen;
        const char* in_force;
        const char* file;
        int at;
        QByteArray chosen_bytes;
        QByteArray in_force_bytes;
        QString said;
    } cases[] = {
        {"N31", "N33", "lang.txt", 1, "\x08lang.txt",
         "\x0B"
         "english.txt",
         QStringLiteral("Needed language file not found")},
        {"N41", "N42", "tstrokes.cdf", 128, "\x0Ctstrokes.cdf", "\x0Bstrokes.cdf",
         window->shell().text("1012")},
    };
    for (const auto& switched : cases) {
        SCOPED_TRACE(switched.chosen);
        item(switched.chosen)->trigger();
        const auto stored = [&](const QByteArray& bytes) {
            return read_file(file("prefer.cfg")).mid(switched.at, bytes.size());
        };
        EXPECT_EQ(stored(switched.chosen_bytes), switched.chosen_bytes);
        item(switched.in_force)->trigger();
        QFile::remove(file(switched.file));
        item(switched.chosen)->trigger();
        EXPECT_TRUE(dialogs.showed(switched.said));
        EXPECT_FALSE(item(switched.chosen)->isChecked());
        EXPECT_TRUE(item(switched.in_force)->isChecked());
        EXPECT_EQ(stored(switched.in_force_bytes), switched.in_force_bytes);
    }
    // English and the simplified library are still in force.
    window->clipboard_changed(QStringLiteral("国"));
    EXPECT_EQ(strokes_shown(), 8);
}

// The traditional library teaches Taiwan's order unless the mainland's is chosen; the simplified
// library has only the mainland's, so the choice is greyed out with it. The choice is kept in
// view.cfg, the library in prefer.cfg. A library character that keeps the mainland's form in
// Taiwan's order is noted on the pad while it is shown so.
TEST_F(MainWindowTest, TheStrokeOrderStandardPicksTheTraditionalArchiveAndIsKeptApart) {
    write_file(file("tstrokes-mainland-forms.txt"), QByteArray("永\n"));
    const auto* note = window->pad_view().findChild<QLabel*>(QStringLiteral("MainlandFormNote"));
    const auto noted = [&] { return !note->isHidden(); };
    window->clipboard_changed(QStringLiteral("永"));
    EXPECT_FALSE(noted()) << "the simplified library";
    EXPECT_FALSE(item("N64")->isEnabled());
    item("N41")->trigger();
    EXPECT_TRUE(noted());
    EXPECT_EQ(note->text(), window->shell().text("8503"));
    QDir().mkpath(file("udefined"));
    write_file(file("udefined/6C38.wrt"), testing::sample_stroke_text(2));
    window->clipboard_changed(QStringLiteral("永"));
    EXPECT_FALSE(noted()) << "the user's own strokes";
    QFile::remove(file("udefined/6C38.wrt"));
    window->clipboard_changed(QStringLiteral("國"));
    EXPECT_EQ(strokes_shown(), 11);
    EXPECT_TRUE(item("N64")->isEnabled());
    EXPECT_TRUE(item("N65")->isChecked());
    window->clipboard_changed(QStringLiteral("永"));
    EXPECT_TRUE(noted());
    item("N66")->trigger();
    EXPECT_FALSE(noted()) << "the mainland's order";
    window->clipboard_changed(QStringLiteral("國"));
    EXPECT_EQ(strokes_shown(), 10);
    EXPECT_EQ(read_file(file("view.cfg")),
              "stroke_numbers=0\r\nstroke_order=mainland\r\nsmooth_gif=0\r\ngrid_style=solid\r\n"
              "smooth_ink=1\r\npractice_outline=1\r\ncharacter_info=1\r\n"
              "practice_hint_after=3\r\npractice_give_after=0\r\npractice_leniency=normal\r\n"
              "sheet_info_line=0\r\n");
    EXPECT_EQ(read_file(file("prefer.cfg")).mid(128, 13), QByteArray("\x0Ctstrokes.cdf"));

    QFile::remove(file("tstrokes.cdf"));
    item("N65")->trigger();
    EXPECT_TRUE(dialogs.showed(window->shell().text("1012")));
    EXPECT_TRUE(item("N66")->isChecked()) << "the order in force stays";
    EXPECT_EQ(strokes_shown(), 10);
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

// A separator stays a line without text unless its caption names it; an item without a key
// keeps its designed caption.
TEST_F(MainWindowTest, EveryItemSitsInItsMenuInTableOrderWithItsCaptionFromEachLanguageFile) {
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
// mark on itself alone. No two items share a key.
TEST_F(MainWindowTest, EveryCheckMarkShowsTheStateItsItemSets) {
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
            EXPECT_EQ(action->actionGroup()->checkedAction(), action);
        }
        EXPECT_EQ(action->isChecked(), *check_mark(entry, shell));
    }
    EXPECT_TRUE(dialogs.shown.isEmpty());

    QSet<QKeySequence> keys;
    for (const QAction* action : window->findChildren<QAction*>()) {
        for (const QKeySequence& key : action->shortcuts()) {
            EXPECT_FALSE(keys.contains(key)) << action->objectName().toStdString();
            keys.insert(key);
        }
    }
}

// ---- Playback keys, pressed as the user presses them, to whatever has the focus

class PlaybackKeysTest : public testing::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        window->show();
        window->activateWindow();
        QCoreApplication::processEvents();
        ASSERT_TRUE(window->isActiveWindow());
        // As a click on the pad leaves it.
        window->findChild<QWidget*>(QStringLiteral("Panel1"))->setFocus();
    }

    TAnimationPlayer& player() const { return window->pad().player(); }
    int shown() const {
        return player().lesson().shown(CharacterStrokes(player().lines()).count());
    }
    int speed() const { return window->pad().settings().pen_speed; }
    int slider() const { return window->findChild<QSlider*>(QStringLiteral("TrackBar1"))->value(); }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    // Home, two steps forward and one back.
    void step() {
        press(Qt::Key_Home);
        press(Qt::Key_Right);
        press(Qt::Key_Right);
        press(Qt::Key_Left);
    }
};

TEST_F(PlaybackKeysTest, KeysOnThePadStepPlayLoopAndSetThePenSpeed) {
    step();
    EXPECT_EQ(shown(), 1);
    press(Qt::Key_End);
    EXPECT_EQ(shown(), 5);
    press(Qt::Key_Space);
    EXPECT_TRUE(player().playtimer().isActive());
    press(Qt::Key_L);
    EXPECT_TRUE(window->pad().settings().loop_lesson);

    const int start = speed();
    press(Qt::Key_Equal);
    press(Qt::Key_Plus, Qt::KeypadModifier);
    press(Qt::Key_Minus);
    EXPECT_EQ(speed(), start + 1);
    EXPECT_EQ(slider(), start + 1);
}

// Since the lesson's keys came, Home, End and the arrows on a focused slider stepped the
// lesson instead of moving the slider. Keys typed into the character field stay there too.
TEST_F(PlaybackKeysTest, AFocusedSliderKeepsTheKeysThatMoveIt) {
    press(Qt::Key_End);
    const int start = speed();
    QLineEdit* field = window->character_field();
    field->setFocus();
    field->setText(QStringLiteral("我"));
    press(Qt::Key_Home);
    QTest::keyClicks(field, QStringLiteral("L+ -="));
    press(Qt::Key_End);
    press(Qt::Key_Space);
    EXPECT_EQ(field->text(), QStringLiteral("L+ -=我 "));
    EXPECT_FALSE(player().playing());
    EXPECT_EQ(shown(), 5);
    EXPECT_FALSE(window->pad().settings().loop_lesson);
    EXPECT_EQ(speed(), start);
    for (const char* name : {"TrackBar1", "TrackBar2"}) {
        SCOPED_TRACE(name);
        auto* slider = window->findChild<QSlider*>(QString::fromLatin1(name));
        slider->setFocus();
        slider->setValue(5);
        step();
        EXPECT_EQ(slider->value(), 1);
        press(Qt::Key_End);
        EXPECT_EQ(slider->value(), slider->maximum());
        EXPECT_EQ(shown(), 5);
    }
    EXPECT_EQ(speed(), slider());
    // The lesson's own keys still work from a slider.
    press(Qt::Key_L);
    EXPECT_TRUE(window->pad().settings().loop_lesson);
}

}  // namespace
}  // namespace inkwren

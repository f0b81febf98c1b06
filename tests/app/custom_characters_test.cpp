#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMouseEvent>

#include "animation/stroke_editor.h"
#include "langtable/text_keys.h"
#include "strokes/stroke_text.h"
#include "tests/app/app_fixture.h"

namespace inkwren {
namespace {

using testing::write_file;

// The shown 永 of the test installation has five strokes of three points; the last runs from
// (22, 58) to (42, 58). The editing itself is the stroke editor's and the pad's; these tests
// follow the window's wiring of mouse, menus, keys and palette to them.
class CustomCharactersTest : public testing::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        window->pad().player().stop_play();
    }

    QString custom_file() const { return file("udefined/6C38.wrt"); }
    QString text(const char* key) const { return window->shell().text(key); }
    TLineList& lines() const { return window->pad().player().lines(); }
    const TObjList& last_stroke() const { return lines().items.back(); }
    QWidget* named(const char* name) const {
        return window->findChild<QWidget*>(QString::fromLatin1(name));
    }

    // An edit of the shown 永: its last stroke taken away.
    void edit() {
        lines().items.pop_back();
        window->pad().set_modified(true);
    }

    // 永 shown again, as the user copies it after another character.
    void show_again() {
        window->clipboard_changed(QStringLiteral("我"));
        window->clipboard_changed(QStringLiteral("永"));
    }

    void mouse(const char* widget, QEvent::Type type, QPoint at) {
        QWidget* target = named(widget);
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, QPointF(at), target->mapToGlobal(QPointF(at)), button,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }

    void click_pad(QPoint at) {
        mouse("PlayerWidget", QEvent::MouseButtonPress, at);
        mouse("PlayerWidget", QEvent::MouseButtonRelease, at);
    }

    // The last stroke selected and moved 10 right and 20 down by its body, between its points.
    void move_last_stroke() {
        click_pad({42, 58});
        mouse("PlayerWidget", QEvent::MouseButtonPress, {37, 62});
        mouse("PlayerWidget", QEvent::MouseMove, {47, 82});
        mouse("PlayerWidget", QEvent::MouseButtonRelease, {47, 82});
    }
};

// An unsaved edit is offered on closing. Answering Yes once showed the save's error and closed
// all the same.
TEST_F(CustomCharactersTest, AFailedSaveIsReportedAndKeepsTheEditAndTheWindow) {
    QDir(file("udefined")).removeRecursively();
    write_file(file("udefined"), "not a folder");
    edit();
    item("N17")->trigger();
    EXPECT_TRUE(dialogs.showed(QStringLiteral("6C38.wrt")));
    dialogs.shown.clear();
    dialogs.answers = {true};
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(dialogs.showed(QStringLiteral("6C38.wrt")));
    EXPECT_FALSE(dialogs.showed(text(text_key::custom_saved_notice)));
    EXPECT_TRUE(window->pad().custom_dirty());
    EXPECT_EQ(strokes_shown(), 4);

    QFile::remove(file("udefined"));
    QDir().mkpath(file("udefined"));
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(dialogs.showed(text(text_key::custom_saved_notice)));
    EXPECT_TRUE(QFile::exists(custom_file()));
}

// A damaged custom file is reported and the archive's version shown.
TEST_F(CustomCharactersTest, DeletingAsksFirstShowsTheArchiveVersionAndSaysWhenThereIsNone) {
    for (const char* command : {"N19", "N25"}) {  // the menu's item and the pop-up menu's
        SCOPED_TRACE(command);
        write_strokes(testing::sample_lines(2), QStringLiteral("6C38"), file("udefined"));
        show_again();
        ASSERT_EQ(strokes_shown(), 2);
        dialogs.shown.clear();
        dialogs.answers = {false, true};
        item(command)->trigger();
        EXPECT_TRUE(QFile::exists(custom_file()));
        item(command)->trigger();
        EXPECT_FALSE(QFile::exists(custom_file()));
        EXPECT_TRUE(dialogs.showed(text(text_key::custom_deleted_notice)));
        EXPECT_EQ(strokes_shown(), 5);
    }
    item("N19")->trigger();
    EXPECT_TRUE(dialogs.showed(text(text_key::no_custom_to_delete_notice)));

    dialogs.shown.clear();
    write_file(custom_file(), "1\t2\tgarbage\r\n");
    show_again();
    EXPECT_TRUE(dialogs.showed(QStringLiteral("6C38.wrt")));
    EXPECT_EQ(strokes_shown(), 5);
}

TEST(CustomNames, CharactersBeyondTheBasicPlaneAreNamedByTheirWholeCode) {
    EXPECT_EQ(custom_name_of(QStringLiteral("永")), QStringLiteral("6C38"));
    EXPECT_EQ(custom_name_of(QString::fromUcs4(U"𠀀")), QStringLiteral("20000"));
}

// Each zoom once scaled the unsaved strokes again on top of the zoom itself, and dropped the
// history; the save then kept the grown strokes.
TEST_F(CustomCharactersTest, ZoomingWithAnUnsavedEditKeepsItsShapeSizeAndHistory) {
    const TLineList loaded = lines();
    move_last_stroke();
    ASSERT_DOUBLE_EQ(last_stroke()[0].x, 32);
    ASSERT_DOUBLE_EQ(last_stroke()[0].y, 78);
    auto* zoom = qobject_cast<QAbstractButton*>(named("SpeedButton6"));
    for (int step = 0; step < 4; ++step) {
        zoom->click();
        EXPECT_TRUE(dialogs.shown.isEmpty()) << qPrintable(dialogs.shown.front().text);
        // The window grows with the pad.
        EXPECT_EQ(window->centralWidget()->width(), window->pad().pad_side() + 20);
        const double scale = window->pad().zoom_scale();
        EXPECT_NEAR(last_stroke()[0].x, 32 * scale, 1e-9);
        EXPECT_NEAR(last_stroke()[0].y, 78 * scale, 1e-9);
    }
    EXPECT_TRUE(window->pad().custom_dirty());
    item("N17")->trigger();
    // The last stroke's first point as saved.
    const TObjList saved = parse_stroke_text(testing::read_file(custom_file()), custom_file(),
                                             EndMarkerKind::keep_pen_up);
    ASSERT_EQ(saved.size(), 20u);
    EXPECT_NEAR(saved[16].x, 32, 1e-9);
    EXPECT_NEAR(saved[16].y, 78, 1e-9);

    // The move is still a step of the history, at the new scale.
    item("EditUndo")->trigger();
    const double scale = window->pad().zoom_scale();
    EXPECT_NEAR(last_stroke()[0].x, loaded.items.back()[0].x * scale, 1e-9);
    EXPECT_TRUE(window->pad().custom_dirty());
    item("EditRedo")->trigger();
    EXPECT_NEAR(last_stroke()[0].x, 32 * scale, 1e-9);
}

}  // namespace
}  // namespace inkwren

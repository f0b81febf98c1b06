#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMouseEvent>

#include "animation/stroke_editor.h"
#include "langtable/text_keys.h"
#include "pad/player_widget.h"
#include "strokes/stroke_text.h"
#include "tests/app/app_fixture.h"

namespace inkwren {
namespace {

using testing::read_file;

// The shown 永 of the test installation has five strokes of three points; the last runs from
// (22, 58) to (42, 58).
class StrokeEditingTest : public testing::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        window->pad().player().stop_play();
    }

    TLineList& lines() const { return window->pad().player().lines(); }
    const TObjList& last_stroke() const { return lines().items.back(); }
    QString text(const char* key) const { return window->shell().text(key); }

    void send_mouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button,
                    Qt::MouseButtons held) {
        QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), button, held,
                          Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }

    QWidget* named(const char* name) const {
        return window->findChild<QWidget*>(QString::fromLatin1(name));
    }

    void click_pad(QPoint at) {
        QWidget* pad = named("PlayerWidget");
        send_mouse(pad, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
        send_mouse(pad, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    }

    void drag_on_pad(QPoint from, QPoint to) {
        QWidget* pad = named("PlayerWidget");
        send_mouse(pad, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
        send_mouse(pad, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
        send_mouse(pad, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    }

    // The last stroke selected and moved 10 right and 20 down by its body, between its points.
    void move_last_stroke() {
        click_pad({42, 58});
        drag_on_pad({37, 62}, {47, 82});
    }
};

TEST_F(StrokeEditingTest, AStrokeMovedWithTheMouseIsOfferedAndSavedAsMoved) {
    move_last_stroke();
    ASSERT_DOUBLE_EQ(last_stroke()[0].x, 32);
    ASSERT_DOUBLE_EQ(last_stroke()[0].y, 78);
    EXPECT_TRUE(window->pad().custom_dirty());

    dialogs.answers = {true};
    window->clipboard_changed(QStringLiteral("我"));
    EXPECT_TRUE(dialogs.showed(text(text_key::save_custom_question)));
    const QString saved = file("udefined/6C38.wrt");
    const TObjList records = parse_stroke_text(read_file(saved), saved, EndMarkerKind::keep_pen_up);
    ASSERT_EQ(records.size(), 20u);
    EXPECT_DOUBLE_EQ(records[16].x, 32);
    EXPECT_DOUBLE_EQ(records[16].y, 78);
    EXPECT_EQ(lines().count(), 7);  // 我 is shown
}

TEST_F(StrokeEditingTest, ThePadShowsTheResizeCursorOverTheHandle) {
    click_pad({42, 58});
    // The last stroke's box runs from (12, 48) to (52, 68); its handle is on (12, 48).
    QWidget* pad = named("PlayerWidget");
    send_mouse(pad, QEvent::MouseMove, {13, 49}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(pad->cursor().shape(), Qt::SizeFDiagCursor);
    send_mouse(pad, QEvent::MouseMove, {150, 150}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(pad->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(StrokeEditingTest, TheUndoKeysStepThroughTheEditsAndAnUndoneEditIsNotOffered) {
    EXPECT_EQ(item("EditUndo")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_TRUE(item("EditRedo")->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Y)));
    EXPECT_TRUE(
        item("EditRedo")->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)));
    const TLineList loaded = lines();
    move_last_stroke();
    const TLineList moved = lines();

    item("EditUndo")->trigger();
    EXPECT_EQ(lines().items, loaded.items);
    EXPECT_FALSE(window->pad().custom_dirty());
    item("EditRedo")->trigger();
    EXPECT_EQ(lines().items, moved.items);
    item("EditUndo")->trigger();

    window->clipboard_changed(QStringLiteral("我"));
    EXPECT_FALSE(dialogs.showed(text(text_key::save_custom_question)));
    // Another character starts a history of its own.
    EXPECT_EQ(window->pad().player().editor().history().count(), 0);
}

// Each zoom once scaled the unsaved strokes again on top of the zoom itself, and dropped the
// history; the save then kept the grown strokes.
TEST_F(StrokeEditingTest, ZoomingWithAnUnsavedEditKeepsItsShapeSizeAndHistory) {
    const TLineList loaded = lines();
    move_last_stroke();
    const TLineList moved = lines();
    auto* zoom = qobject_cast<QAbstractButton*>(named("SpeedButton6"));
    for (int step = 0; step < 4; ++step) {
        zoom->click();
        EXPECT_TRUE(dialogs.shown.isEmpty()) << qPrintable(dialogs.shown.front().text);
        const double scale = window->pad().zoom_scale();
        ASSERT_EQ(lines().count(), moved.count());
        for (int stroke = 0; stroke < moved.count(); ++stroke) {
            const TObjList& now = lines().items[std::size_t(stroke)];
            const TObjList& before = moved.items[std::size_t(stroke)];
            ASSERT_EQ(now.size(), before.size());
            for (std::size_t at = 0; at < now.size(); ++at) {
                if (!is_end_marker(now[at])) {
                    EXPECT_NEAR(now[at].x, before[at].x * scale, 1e-9);
                    EXPECT_NEAR(now[at].y, before[at].y * scale, 1e-9);
                }
            }
        }
    }
    EXPECT_TRUE(window->pad().custom_dirty());

    item("N17")->trigger();
    const QString saved = file("udefined/6C38.wrt");
    const TObjList records = parse_stroke_text(read_file(saved), saved, EndMarkerKind::keep_pen_up);
    ASSERT_EQ(records.size(), 20u);
    EXPECT_NEAR(records[16].x, 32, 1e-9);
    EXPECT_NEAR(records[16].y, 78, 1e-9);

    // The move is still a step of the history, at the new scale.
    item("EditUndo")->trigger();
    const double scale = window->pad().zoom_scale();
    EXPECT_NEAR(last_stroke()[0].x, loaded.items.back()[0].x * scale, 1e-9);
    EXPECT_TRUE(window->pad().custom_dirty());
}

TEST_F(StrokeEditingTest, APressOnThePaletteRecoloursTheSelectionAndADragOnlyTheSwatch) {
    click_pad({42, 58});
    QWidget* palette = named("Image2");
    send_mouse(palette, QEvent::MouseButtonPress, {15, 5}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(last_stroke()[0].pen_color, 153);
    send_mouse(palette, QEvent::MouseMove, {15, 15}, Qt::NoButton, Qt::LeftButton);
    send_mouse(palette, QEvent::MouseButtonRelease, {15, 15}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(last_stroke()[0].pen_color, 153);
    EXPECT_EQ(window->pad().settings().pick_color, 255);
    const QImage swatch = static_cast<QLabel*>(named("Image3"))->pixmap().toImage();
    EXPECT_EQ(swatch.pixelColor(15, 15), QColor(255, 0, 0));
    EXPECT_EQ(swatch.pixelColor(0, 0), QColor(0, 0, 0));  // its frame
}

TEST_F(StrokeEditingTest, TheSwatchOpensTheColourChooserWhoseColourIsTakenAsAPress) {
    click_pad({42, 58});
    dialogs.colours = {std::nullopt, 0x00AA00};
    QWidget* swatch = named("Image3");
    send_mouse(swatch, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(last_stroke()[0].pen_color, 0);  // cancelled
    send_mouse(swatch, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(dialogs.colour_choosers, 2);
    EXPECT_EQ(last_stroke()[0].pen_color, 0x00AA00);
    EXPECT_EQ(window->pad().settings().pick_color, 0x00AA00);
}

TEST_F(StrokeEditingTest, FlashBarsAreAddedToTheSelectedStrokeAndRemovedFromThePopUpMenu) {
    item("N22")->trigger();
    EXPECT_TRUE(dialogs.showed(text(text_key::no_stroke_selected_notice)));
    EXPECT_EQ(lines().count(), 5);

    click_pad({42, 58});
    item("N22")->trigger();
    ASSERT_EQ(lines().count(), 6);
    EXPECT_EQ(last_stroke().front().kind, record_kind::flash_bar);
    EXPECT_TRUE(window->pad().custom_dirty());

    // The bar hangs from the stroke's first point; a click on its picture selects it.
    click_pad({20, 60});
    item("N21")->trigger();
    EXPECT_EQ(lines().count(), 5);
}

}  // namespace
}  // namespace inkwren

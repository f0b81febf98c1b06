#include <gtest/gtest.h>

#include "animation/raster.h"
#include "animation/stroke_editor.h"
#include "tests/support/player_fixture.h"

namespace inkwren {
namespace {

using testing::point;

constexpr MouseButton left = MouseButton::left;
constexpr MouseButton right = MouseButton::right;

// A diagonal stroke from (50, 50) to (130, 130): its box, widened by 10, is 100 × 100.
TObjList diagonal() {
    return {point(50, 50), point(90, 90), point(130, 130), end_marker(2)};
}

class StrokeEditorTest : public testing::PlayerTest {
protected:
    StrokeEditorTest() { remake(); }

    void show(const TObjList& records) {
        player->set_records(records);
        player->show_static();
    }

    StrokeEditor& editor() { return player->editor(); }
    const TObjList& element(int index) const { return player->lines().items[std::size_t(index)]; }

    void click(QPoint at, MouseButton button = left) {
        editor().button_down(button, at);
        editor().button_up(button, at);
    }

    void drag(QPoint from, QPoint to) {
        editor().button_down(left, from);
        editor().mouse_move(true, to);
        editor().button_up(left, to);
    }
};

// The selection shows a red frame with a black handle on its top-left corner. The handle scales
// about the bottom right corner; a resize that would flip or flatten the element is not applied.
// A click beside the elements ends the selection.
TEST_F(StrokeEditorTest, TheHandleScalesAndMovesStopAtThePadsEdge) {
    show(diagonal());
    click({50, 50});
    const TObjList loaded = element(0);
    const EdgeBox before = *bounding_box(element(0));
    EXPECT_EQ(color_at(player->image(), before.right - 1, 100), 0x0000FF);
    EXPECT_EQ(color_at(player->image(), before.left, before.top), black_color);
    editor().button_down(left, {before.left + 1, before.top + 1});
    editor().mouse_move(true, {before.right + 20, before.bottom - 50});  // past the right edge
    editor().mouse_move(true, {before.left + 1 + 99, before.top + 1});   // exactly flat
    editor().button_up(left, {before.left + 100, before.top + 1});
    EXPECT_EQ(element(0), loaded);

    // The handle is away from the stroke's first point.
    drag({before.left + 1, before.top + 1}, {before.left - 9, before.top - 9});
    const EdgeBox after = *bounding_box(element(0));
    EXPECT_EQ(after.right, before.right);
    EXPECT_EQ(after.bottom, before.bottom);
    // The points span 80 pixels before and 88 after.
    EXPECT_DOUBLE_EQ(element(0)[2].x - element(0)[0].x, 88);
    EXPECT_DOUBLE_EQ(element(0)[2].y - element(0)[0].y, 88);
    click({10, 190});
    EXPECT_EQ(editor().selected(), -1);
    // Moves of the element or of one of its points stop at the pad's edge; the mouse outside the
    // pad leaves them where they were. A flash bar added after it takes the chosen colour.
    show(diagonal());
    click({90, 90});
    drag({100, 100}, {180, 100});  // 80 to the right would put the last point at 210
    EXPECT_DOUBLE_EQ(element(0)[2].x, 199);
    EXPECT_DOUBLE_EQ(element(0)[0].x, 119);
    const TObjList placed = element(0);
    drag({150, 100}, {150, 260});
    EXPECT_EQ(element(0), placed);

    drag({199, 130}, {140, 60});
    EXPECT_DOUBLE_EQ(element(0)[2].x, 140);
    EXPECT_DOUBLE_EQ(element(0)[2].y, 60);
    EXPECT_DOUBLE_EQ(element(0)[1].x, 159);
    drag({140, 60}, {140, 230});
    EXPECT_DOUBLE_EQ(element(0)[2].y, 60);
    owner.pad.pick_color = 0x00FF00;
    editor().add_flash_bar();
    EXPECT_EQ(element(1).front().fill_color, 0x00FF00);  // a bar in the chosen colour
}

// A band selects only elements whose first and last points are inside; recolouring takes the
// band's strokes in one step.
TEST_F(StrokeEditorTest, ABandOrAClickWithinFivePixelsSelectsAndTheRightButtonCarries) {
    show({point(20, 20), point(60, 20), end_marker(2), point(20, 80), point(60, 80), end_marker(2),
          point(150, 150), point(180, 180), end_marker(2), point(20, 40), point(150, 40),
          end_marker(2)});
    editor().button_down(left, {10, 10});
    editor().mouse_move(true, {100, 100});
    EXPECT_EQ(color_at(player->image(), 55, 100), black_color);  // the band, inverted white
    editor().button_up(left, {100, 100});
    EXPECT_EQ(editor().multi_selection(), (std::vector<int>{0, 1}));
    // Drawn from lower right to upper left, the band holds nothing.
    drag({195, 195}, {5, 5});
    EXPECT_TRUE(editor().multi_selection().empty());
    drag({10, 10}, {100, 100});
    editor().recolour(0x123456);
    EXPECT_EQ(element(0)[0].pen_color, 0x123456);
    EXPECT_EQ(element(1)[1].pen_color, 0x123456);
    EXPECT_EQ(element(2)[0].pen_color, 0x0000FF);
    EXPECT_EQ(editor().history().count(), 1);
    // A click hits a point closer than five pixels in each direction; of two elements under the
    // mouse the later is selected. With nothing selected the right button does nothing; with a
    // selection it carries it until the next click.
    show(diagonal());
    for (const QPoint miss : {QPoint(95, 90), QPoint(90, 95), QPoint(85, 90), QPoint(90, 85)}) {
        click(miss);
        EXPECT_EQ(editor().selected(), -1) << miss.x() << "," << miss.y();
    }
    click({90, 90}, right);
    EXPECT_FALSE(editor().move_mode());

    click({94, 86});
    EXPECT_EQ(editor().selected(), 0);
    click({90, 90}, right);
    ASSERT_TRUE(editor().move_mode());
    editor().mouse_move(false, {95, 80});
    editor().mouse_move(false, {100, 70});
    EXPECT_DOUBLE_EQ(element(0)[0].x, 60);
    EXPECT_DOUBLE_EQ(element(0)[0].y, 30);
    click({100, 70});
    EXPECT_FALSE(editor().move_mode());
    EXPECT_EQ(editor().history().count(), 1);

    show({point(60, 60), point(100, 60), end_marker(2), point(100, 62), point(100, 150),
          end_marker(2)});
    click({100, 61});
    EXPECT_EQ(editor().selected(), 1);
}

// Undo and redo restore the exact records and the saved state, fifty steps back at least; new
// strokes start a new history.
TEST_F(StrokeEditorTest, UndoAndRedoRestoreTheExactRecordsAndTheSavedState) {
    show(diagonal());
    const TLineList loaded = player->lines();
    click({90, 90});
    drag({100, 100}, {110, 107});
    editor().recolour(0x00AA00);
    const TLineList edited = player->lines();
    editor().undo();
    EXPECT_NE(player->lines().items, loaded.items);  // the move is a step of its own
    editor().undo();
    EXPECT_EQ(player->lines().items, loaded.items);
    EXPECT_FALSE(owner.modified);  // back to the strokes as loaded
    editor().redo();
    editor().redo();
    EXPECT_EQ(player->lines().items, edited.items);
    EXPECT_TRUE(owner.modified);

    // Saved here, an undo makes the strokes differ from the saved ones again.
    editor().mark_saved();
    editor().undo();
    EXPECT_TRUE(owner.modified);
    editor().redo();
    EXPECT_FALSE(owner.modified);

    for (int step = 0; step < 60; ++step) {
        editor().recolour(step);
    }
    for (int step = 0; step < 62; ++step) {
        editor().undo();
    }
    EXPECT_EQ(player->lines().items, loaded.items);

    // New strokes clear the selection and the history.
    click({90, 90});
    show(diagonal());
    EXPECT_EQ(editor().selected(), -1);
    EXPECT_EQ(editor().history().count(), 0);
}

// The mouse is ignored while playing. A stroke moved after playback once left a ghost of the
// grey underlay behind.
TEST_F(StrokeEditorTest, AMovedStrokeLeavesNoGhostOfTheGreyUnderlayBehind) {
    owner.pad.grey_first = true;
    owner.pad.pen_speed = 100;
    remake();
    show(diagonal());
    player->play();
    click({90, 90});
    drag({90, 90}, {120, 120});
    editor().add_flash_bar();
    EXPECT_TRUE(owner.reports.isEmpty());
    EXPECT_EQ(player->lines().items, split_strokes(diagonal()).items);
    testing::run_to_end(*player);
    click({90, 90});
    drag({100, 100}, {100, 160});
    EXPECT_EQ(color_at(player->image(), 60, 60), white_color);
    EXPECT_EQ(color_at(player->image(), 60, 120), 0x0000FF);
}

}  // namespace
}  // namespace inkwren

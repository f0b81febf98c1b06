// The stroke editor: while the player is not playing, the character it shows is edited with
// the mouse. A click near a point selects its element (a stroke or a flash bar); dragging moves
// it, the handle on its box's top-left corner resizes it, and a point of the selected stroke
// can be dragged alone; a rubber band selects several strokes for recolouring. The right button
// carries the selection with the mouse until the next click. Each finished gesture is one step
// of the undo history, whose clean state is the owner's modified flag.
#pragma once

#include <QPoint>
#include <QString>
#include <QUndoStack>

#include <cstdint>
#include <optional>
#include <vector>

#include "animation/element_geometry.h"
#include "strokes/linelist.h"

class QImage;

namespace inkwren {

class PlayerOwner;
class TAnimationPlayer;

enum class MouseButton { left, right, other };

// The edits of a character apart from its player, so that they outlive it: a zoom makes a new
// player at another scale and hands it the strokes and their undo history.
struct EditHistory {
    struct Step {
        QString name;
        TLineList before;
        TLineList after;
    };
    TLineList lines;  // the strokes as they are now
    std::vector<Step> steps;
    int index = 0;  // the steps from index on are undone
    int clean = 0;  // the index of the saved strokes; −1 when no step reaches them
};

// The same edits with every coordinate scaled about the origin by factor.
EditHistory scaled_history(EditHistory history, double factor);
enum class EditCursor { arrow, resize, move };

class StrokeEditor {
public:
    StrokeEditor(TAnimationPlayer& player, PlayerOwner& owner);
    ~StrokeEditor();
    StrokeEditor(const StrokeEditor&) = delete;
    StrokeEditor& operator=(const StrokeEditor&) = delete;

    // Mouse events in pad pixels; all are ignored while the player plays.
    void button_down(MouseButton button, QPoint at);
    // Answers the cursor to show over the pad.
    EditCursor mouse_move(bool left_held, QPoint at);
    void button_up(MouseButton button, QPoint at);

    // The pop-up menu's commands. A flash bar makes the selected stroke blink after it is
    // written; with nothing selected the owner's notice says so.
    void add_flash_bar();
    void delete_flash_bar();
    // Gives the selected elements (the band's, then the clicked one) the pen colour.
    void recolour(std::int32_t colour);
    void deselect();

    // The history of this character's edits.
    QUndoStack& history() { return history_; }
    void undo();
    void redo();
    // The strokes as they are now are the saved ones.
    void mark_saved();
    // New strokes were loaded: nothing selected, no history.
    void reset();
    // The strokes and their history, a gesture still open finished first.
    EditHistory take_history();
    // Makes history this editor's: its strokes are shown and its steps undone and redone as
    // they were; the owner's modified flag follows its saved state.
    void adopt_history(EditHistory history);

    int selected() const { return selected_; }
    const std::vector<int>& multi_selection() const { return multi_selection_; }
    bool move_mode() const { return move_mode_; }
    bool dragging() const { return dragging_; }

    // Records the editor makes get their instant flag clear, so they are animated.
    bool animate_new = true;

    // Draws the selection, its marks and the rubber band over the character at rest.
    void draw_decorations(QImage& image) const;

    // Restores the strokes of one history step.
    void restore(const TLineList& lines);

private:
    TLineList& lines() const;
    QSize flashbar_size() const;
    std::optional<EdgeBox> selected_box() const;
    EditCursor cursor_at(QPoint at, bool left_held) const;
    void select_at(QPoint at);
    void press_on_selection(QPoint at);
    void drag_selection(QPoint at);
    void select_in_band(QPoint anchor, QPoint end);
    void end_move_mode();
    void end_gestures();
    void begin_gesture();
    void changed();
    void finish_gesture(const QString& name);
    void redraw() const;

    TAnimationPlayer& player_;
    PlayerOwner& owner_;
    QUndoStack history_;
    std::optional<TLineList> before_;  // the strokes as the open gesture found them

    QPoint band_start_;
    QPoint band_corner_;
    QPoint band_end_;
    bool button_down_ = false;
    bool point_drag_ = false;
    bool resizing_ = false;
    bool banding_ = false;
    bool move_mode_ = false;
    bool dragging_ = false;
    int selected_ = -1;
    int dragged_point_ = -1;
    QPoint last_;
    std::vector<int> multi_selection_;
};

}  // namespace inkwren

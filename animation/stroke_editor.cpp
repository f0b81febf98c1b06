#include "animation/stroke_editor.h"

#include <QImage>
#include <QUndoCommand>

#include "animation/animationplayer.h"
#include "animation/edit_marks.h"
#include "animation/player_owner.h"
#include "animation/rounding.h"
#include "animation/stroke_model.h"
#include "langtable/text_keys.h"

namespace inkwren {
namespace {

constexpr int history_limit = 100;

// One finished gesture: the strokes before and after it. The gesture itself already changed
// the strokes, so the first redo, which the stack runs when the step is pushed, does nothing.
class LinesEdit : public QUndoCommand {
public:
    LinesEdit(StrokeEditor& editor, TLineList before, TLineList after, const QString& name)
        : QUndoCommand(name),
          editor_(editor),
          before_(std::move(before)),
          after_(std::move(after)) {}

    const TLineList& before() const { return before_; }
    const TLineList& after() const { return after_; }

    void undo() override { editor_.restore(before_); }
    void redo() override {
        if (!done_) {
            done_ = true;
            return;
        }
        editor_.restore(after_);
    }

private:
    StrokeEditor& editor_;
    TLineList before_;
    TLineList after_;
    bool done_ = false;
};

bool same_lines(const TLineList& a, const TLineList& b) {
    return a.items == b.items;
}

}  // namespace

EditHistory scaled_history(EditHistory history, double factor) {
    history.lines = scaled_lines(history.lines, factor);
    for (EditHistory::Step& step : history.steps) {
        step.before = scaled_lines(step.before, factor);
        step.after = scaled_lines(step.after, factor);
    }
    return history;
}

StrokeEditor::StrokeEditor(TAnimationPlayer& player, PlayerOwner& owner)
    : player_(player), owner_(owner) {
    history_.setUndoLimit(history_limit);
}

StrokeEditor::~StrokeEditor() = default;

TLineList& StrokeEditor::lines() const {
    return player_.lines();
}

QSize StrokeEditor::flashbar_size() const {
    return player_.flashbar_pic().size();
}

void StrokeEditor::redraw() const {
    player_.show_static();
}

std::optional<EdgeBox> StrokeEditor::selected_box() const {
    if (selected_ < 0 || selected_ >= lines().count()) {
        return std::nullopt;
    }
    return selection_box(lines().items[std::size_t(selected_)], flashbar_size());
}

// ---- Gestures and the history

void StrokeEditor::begin_gesture() {
    if (!before_) {
        before_ = lines();
    }
}

void StrokeEditor::changed() {
    owner_.set_modified(true);
}

void StrokeEditor::finish_gesture(const QString& name) {
    if (!before_) {
        return;
    }
    TLineList before = std::move(*before_);
    before_.reset();
    if (!same_lines(before, lines())) {
        history_.push(new LinesEdit(*this, std::move(before), lines(), name));
    }
    owner_.set_modified(!history_.isClean());
}

void StrokeEditor::restore(const TLineList& lines) {
    player_.lines() = lines;
    if (selected_ >= this->lines().count()) {
        selected_ = -1;
    }
    multi_selection_.clear();
    redraw();
}

void StrokeEditor::undo() {
    if (!player_.playing()) {
        end_gestures();
        history_.undo();
        owner_.set_modified(!history_.isClean());
    }
}

void StrokeEditor::redo() {
    if (!player_.playing()) {
        end_gestures();
        history_.redo();
        owner_.set_modified(!history_.isClean());
    }
}

// A gesture still open becomes a step of its own before the history moves.
void StrokeEditor::end_gestures() {
    move_mode_ = false;
    button_down_ = point_drag_ = resizing_ = banding_ = dragging_ = false;
    finish_gesture(QStringLiteral("edit"));
}

void StrokeEditor::mark_saved() {
    finish_gesture(QString());
    history_.setClean();
}

void StrokeEditor::reset() {
    before_.reset();
    history_.clear();
    button_down_ = point_drag_ = resizing_ = banding_ = move_mode_ = dragging_ = false;
    selected_ = -1;
    multi_selection_.clear();
}

EditHistory StrokeEditor::take_history() {
    end_gestures();
    EditHistory history;
    history.lines = lines();
    for (int index = 0; index < history_.count(); ++index) {
        const auto* edit = static_cast<const LinesEdit*>(history_.command(index));
        history.steps.push_back({edit->text(), edit->before(), edit->after()});
    }
    history.index = history_.index();
    history.clean = history_.cleanIndex();
    return history;
}

void StrokeEditor::adopt_history(EditHistory history) {
    reset();
    const int steps = int(history.steps.size());
    for (int index = 0; index < steps; ++index) {
        if (index == history.clean) {
            history_.setClean();
        }
        EditHistory::Step& step = history.steps[std::size_t(index)];
        // Pushed as done: the strokes are set below, once.
        history_.push(
            new LinesEdit(*this, std::move(step.before), std::move(step.after), step.name));
    }
    if (history.clean == steps) {
        history_.setClean();
    } else if (history.clean < 0) {
        history_.resetClean();
    }
    history_.setIndex(history.index);
    player_.lines() = std::move(history.lines);
    owner_.set_modified(!history_.isClean());
    redraw();
}

// ---- Mouse

void StrokeEditor::button_down(MouseButton button, QPoint at) {
    if (player_.playing()) {
        return;
    }
    player_.drop_underlay();
    if (selected_ >= lines().count()) {
        selected_ = -1;  // the strokes were replaced behind the editor's back
    }
    multi_selection_.clear();
    button_down_ = true;
    if (button == MouseButton::left && move_mode_) {
        end_move_mode();
        redraw();
        return;
    }
    if (button == MouseButton::right) {
        if (selected_ < 0) {
            return;
        }
        if (move_mode_) {
            end_move_mode();
            redraw();
            return;
        }
        begin_gesture();
        move_mode_ = true;
        last_ = at;
        return;
    }
    if (button != MouseButton::left) {
        deselect();
        return;
    }
    begin_gesture();
    if (selected_ < 0) {
        select_at(at);
    } else {
        press_on_selection(at);
    }
}

void StrokeEditor::select_at(QPoint at) {
    int hit = -1;
    for (int index = 0; index < lines().count(); ++index) {
        if (hit_record(lines().items[std::size_t(index)], at, flashbar_size())) {
            hit = index;  // the last element hit wins
        }
    }
    if (hit < 0) {
        band_start_ = band_corner_ = at;
        redraw();
        return;
    }
    selected_ = hit;
    last_ = at;
    redraw();
}

void StrokeEditor::press_on_selection(QPoint at) {
    last_ = at;
    const TObjList& element = lines().items[std::size_t(selected_)];
    const std::optional<EdgeBox> box = selected_box();
    if (!is_flash_bar(element)) {
        if (const std::optional<int> point = hit_point(element, at)) {
            point_drag_ = true;
            dragged_point_ = *point;
            return;
        }
        if (box && resize_handle(*box).contains(at.x(), at.y())) {
            resizing_ = true;
            return;
        }
    }
    if (box && box->contains(at.x(), at.y())) {
        return;  // a later move drags the selection
    }
    deselect();
    band_start_ = band_corner_ = at;
    redraw();
}

EditCursor StrokeEditor::cursor_at(QPoint at, bool left_held) const {
    const std::optional<EdgeBox> box = selected_box();
    if (!box) {
        return EditCursor::arrow;
    }
    if (resize_handle(*box).contains(at.x(), at.y()) &&
        !is_flash_bar(lines().items[std::size_t(selected_)])) {
        return EditCursor::resize;
    }
    if (left_held && box->contains(at.x(), at.y())) {
        return EditCursor::move;
    }
    return EditCursor::arrow;
}

EditCursor StrokeEditor::mouse_move(bool left_held, QPoint at) {
    if (player_.playing()) {
        return EditCursor::arrow;
    }
    if (move_mode_ && selected_ >= 0) {
        if (shift_element(lines().items[std::size_t(selected_)], at.x() - last_.x(),
                          at.y() - last_.y(), player_.pad_size())) {
            changed();
        }
        dragging_ = true;
        last_ = at;
        redraw();
    } else if (left_held && button_down_) {
        dragging_ = true;
        if (selected_ >= 0) {
            drag_selection(at);
        } else {
            banding_ = true;
            band_corner_ = at;
            redraw();
        }
    }
    return resizing_ ? EditCursor::resize : cursor_at(at, left_held);
}

void StrokeEditor::drag_selection(QPoint at) {
    TObjList& element = lines().items[std::size_t(selected_)];
    const QSize pad = player_.pad_size();
    if (!inside_pad(at.x(), at.y(), pad)) {
        return;  // outside the pad the element stays where it was
    }
    if (resizing_) {
        if (resize_element(element, last_, at, pad)) {
            last_ = at;
            changed();
        }
    } else if (point_drag_) {
        if (dragged_point_ >= 0 && dragged_point_ < int(element.size())) {
            element[std::size_t(dragged_point_)].x = at.x();
            element[std::size_t(dragged_point_)].y = at.y();
            changed();
        }
    } else {
        if (shift_element(element, at.x() - last_.x(), at.y() - last_.y(), pad)) {
            changed();
        }
        last_ = at;
    }
    redraw();
}

void StrokeEditor::button_up(MouseButton, QPoint at) {
    if (player_.playing()) {
        return;
    }
    button_down_ = false;
    band_end_ = at;
    if (selected_ < 0 && banding_) {
        select_in_band(band_start_, band_end_);
    }
    banding_ = false;
    resizing_ = false;
    point_drag_ = false;
    dragging_ = false;
    if (!move_mode_) {
        finish_gesture(QStringLiteral("edit"));
    }
    redraw();
}

// An element is in the band when its first and last points are strictly inside it; a band
// drawn from lower right to upper left holds nothing.
void StrokeEditor::select_in_band(QPoint anchor, QPoint end) {
    const EdgeBox band{anchor.x(), anchor.y(), end.x(), end.y()};
    for (int index = 0; index < lines().count(); ++index) {
        QPointF first;
        QPointF last;
        if (end_points(lines().items[std::size_t(index)], first, last) &&
            band.contains(first.x(), first.y()) && band.contains(last.x(), last.y())) {
            multi_selection_.push_back(index);
        }
    }
}

void StrokeEditor::end_move_mode() {
    if (!move_mode_) {
        return;
    }
    move_mode_ = false;
    dragging_ = false;
    finish_gesture(QStringLiteral("move"));
}

void StrokeEditor::deselect() {
    end_move_mode();
    selected_ = -1;
    multi_selection_.clear();
}

// ---- Commands

void StrokeEditor::add_flash_bar() {
    if (player_.playing()) {
        return;
    }
    if (selected_ < 0 || selected_ >= lines().count()) {
        owner_.report(owner_.text(QString::fromLatin1(text_key::no_stroke_selected_notice)));
        return;
    }
    end_move_mode();
    begin_gesture();
    TObjList& element = lines().items[std::size_t(selected_)];
    const PointRecord& first = element.front();
    PointRecord bar;
    bar.x = round_even(first.x);
    bar.y = round_even(first.y);
    bar.kind = record_kind::flash_bar;
    bar.repeat_count = owner_.settings().flash_count;
    bar.fill_color = owner_.settings().pick_color;
    bar.instant = !animate_new;
    PointRecord marker = end_marker(record_kind::flash_bar);
    marker.instant = bar.instant;
    element.push_back(bar);
    element.push_back(marker);
    // The bar becomes an element of its own, right after its stroke.
    lines() = split_strokes(flatten_lines(lines()));
    deselect();
    changed();
    finish_gesture(QStringLiteral("add flash bar"));
    redraw();
}

void StrokeEditor::delete_flash_bar() {
    if (player_.playing()) {
        return;
    }
    end_move_mode();
    if (selected_ >= 0 && selected_ < lines().count() &&
        is_flash_bar(lines().items[std::size_t(selected_)])) {
        begin_gesture();
        lines().items.erase(lines().items.begin() + selected_);
        changed();
        finish_gesture(QStringLiteral("delete flash bar"));
    }
    deselect();
    redraw();
}

void StrokeEditor::recolour(std::int32_t colour) {
    if (player_.playing()) {
        return;
    }
    std::vector<int> targets = multi_selection_;
    if (selected_ >= 0) {
        targets.push_back(selected_);
    }
    if (targets.empty()) {
        return;
    }
    end_move_mode();
    begin_gesture();
    for (const int index : targets) {
        if (index < 0 || index >= lines().count()) {
            continue;
        }
        for (PointRecord& record : lines().items[std::size_t(index)]) {
            record.pen_color = colour;
        }
    }
    changed();
    finish_gesture(QStringLiteral("recolour"));
    redraw();
}

// ---- Drawing

void StrokeEditor::draw_decorations(QImage& image) const {
    // The band's elements get a frame too: the small marks on their ends alone are easily missed.
    for (const int index : multi_selection_) {
        if (index < lines().count()) {
            const TObjList& element = lines().items[std::size_t(index)];
            if (const std::optional<EdgeBox> box = bounding_box(element)) {
                draw_selection_frame(image, *box, false);
            }
            draw_band_marks(image, element);
        }
    }
    if (banding_) {
        draw_band(image, band_start_, band_corner_);
    }
    const std::optional<EdgeBox> box = selected_box();
    if (!box) {
        return;
    }
    const TObjList& element = lines().items[std::size_t(selected_)];
    // Marks are moved, never resized.
    const ElementKind kind = element_kind(element);
    draw_selection_frame(image, *box, kind != ElementKind::fill && kind != ElementKind::flash);
    // The point marks are left out while the whole element moves with the mouse.
    if (!move_mode_ && !(dragging_ && !point_drag_)) {
        draw_point_marks(image, element);
    }
}

}  // namespace inkwren

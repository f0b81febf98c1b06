// The animation player: shows one character on the writing pad and writes it stroke by stroke
// as a pen would, on its own timer. Everything the user sees of the character is composed off
// screen from layer bitmaps (background, ink, grey underlay) into the player's image, which the
// pad's widget paints. A player is made for one character with its settings and is ready to
// show it at once; the pad's settings are read from the owner as they are when needed.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "animation/composed_layers.h"
#include "animation/frame_pool.h"
#include "animation/lesson.h"
#include "animation/play_list.h"
#include "animation/player_owner.h"
#include "animation/player_settings.h"
#include "animation/smooth_ink.h"
#include "animation/stroke_layer.h"
#include "animation/stroke_numbers.h"
#include "animation/stroke_rendering.h"
#include "strokes/linelist.h"
#include "strokes/stroke_archive.h"

namespace inkwren {

class Canvas;
class CharacterStrokes;
class StrokeEditor;

class TAnimationPlayer {
public:
    TAnimationPlayer(PlayerOwner& owner, PlayerSettings settings);
    ~TAnimationPlayer();
    TAnimationPlayer(const TAnimationPlayer&) = delete;
    TAnimationPlayer& operator=(const TAnimationPlayer&) = delete;

    const PlayerSettings& settings() const { return settings_; }
    QSize pad_size() const { return settings_.pad_size; }
    const QString& zi() const { return zi_; }

    // What the widget shows; on_image_changed is called whenever it changes.
    const QImage& image() const { return image_; }
    std::function<void()> on_image_changed;

    // The character: its strokes as separate elements (what the editor works on) and the
    // records as loaded (the source of the play list).
    TLineList& lines() { return lines_; }
    const TLineList& lines() const { return lines_; }
    const TObjList& records() const { return records_; }
    // Takes records as if loaded from a stroke file, cut into strokes.
    void set_records(const TObjList& records);

    // The layers, for the frame capture and for checks. With smooth ink the ink layer gets
    // nothing a playback does not need it for.
    const QImage& frame_bmp() const { return frame_bmp_; }
    const QImage& ink_bmp() const { return ink_bmp_; }
    const QImage& back_bmp() const { return back_bmp_; }
    const QImage& model_pic() const { return model_pic_; }
    const QImage& back_pic() const { return back_pic_; }
    const QImage& flashbar_pic() const { return flashbar_pic_; }

    // The editor of the strokes shown, working on lines().
    StrokeEditor& editor() { return *editor_; }
    const StrokeEditor& editor() const { return *editor_; }

    // The display state in force for this character: a stroke file's companion settings may
    // differ from the pad's switches until the switches are used.
    bool show_grid() const;
    bool show_model() const { return show_model_; }
    bool grey_first() const { return grey_first_; }
    bool two_color() const { return two_color_; }
    void use_pad_grid();  // the nine-grid follows the pad's switch again

    // Playback state.
    bool playing() const { return playing_; }
    int play_pos() const { return play_pos_; }
    const TObjList& play_list() const { return play_list_.records; }
    QPoint pen_position() const { return {pen_x_, pen_y_}; }
    // Whether frames of this playback are being captured.
    bool capturing() const { return capture_ != nullptr; }
    QTimer& playtimer() { return *playtimer_; }

    // Rebuilds the background (frame, background picture, nine-grid, model), clears the ink
    // layer and shows the background.
    void reset_background();
    // The whole character at rest on the background, with the stroke numbers when they are on
    // and the editor's selection: a learner's step is over.
    void show_static();
    // Draws the view at rest again, a learner's step kept: for a step, or for a changed display
    // setting (grid, flash bars, stroke numbers).
    void redraw_at_rest();
    // A learner practising writing: the first strokes written, in ink; the rest in grey when the
    // outline is shown; the hinted strokes after the written ones in the highlight colour.
    void show_practice(int written, bool outline, int hinted, double hint_share = 1);
    // The learner's step through the strokes of this character.
    LessonStep& lesson() { return lesson_; }
    const LessonStep& lesson() const { return lesson_; }
    // Takes the grey underlay of the last playback out of the background, so that the static
    // view shows the strokes as they are now and not a ghost of them as they were played.
    void drop_underlay();
    // frame_bmp := background + ink + the numbers of the strokes begun + pen cursor at the pen
    // position. A stroke's number shows from the first frame with its ink on. ink_changed: the
    // area the ink changed in since the last frame, when nothing else changed the layers.
    void compose_frame(QPoint pen, std::optional<QRect> ink_changed = std::nullopt);
    // The background with the ink over it, brought up to date: the frame without numbers or pen.
    const QImage& compose_layers(std::optional<QRect> ink_changed);
    // With the pad's stroke numbers on, draws the numbers of the first shown strokes over the
    // picture.
    void draw_numbers(QImage& picture, int shown);

    // Repaints the model layer for a character; answers whether a picture was found. An empty
    // text clears the layer.
    bool draw_model(const QString& character);

    // Playback. play starts from the records after a one-second wait; play_tick is the timer's
    // handler, drawing pen_speed + 1 one-pixel steps a tick.
    void play();
    void play_tick();
    // Saves the strokes to the temporary workbook, reloads them and plays.
    void replay();
    // While playing, or waiting to loop, stops or restarts the timer.
    void pause();
    // Stops, drops captured frames and shows the character at rest; ends a wait to loop.
    void stop_play();
    // The same for a player about to be replaced: nothing is drawn again.
    void halt();
    // With the pad's looping on, a finished playback waits a second on its timer, the finished
    // character still shown, and then the character is written again.
    bool waiting_to_loop() const { return loop_wait_; }
    // The pad's grey-first or two-colour mode switched: the player takes it, and a playback
    // starts again in the new mode.
    void display_modes_changed();
    // The pad's smooth ink switched: the view is drawn again the new way, a playback started
    // again.
    void smooth_ink_changed();
    // Whether what is shown is drawn anti-aliased: the pad's switch as it was when the
    // background was last built.
    bool smooth() const { return smooth_; }
    // Presents a frame; with capture on, keeps it for the animated GIF (delay in ms, −1 none).
    void show_frame(const QImage& bitmap, bool stroke_end, int delay);

    // Stroke files. load_stroke_file reads a stroke file and its companion settings and shows
    // the character at rest; a damaged file throws Error and changes nothing.
    void load_stroke_file(const QString& path);
    // Writes the strokes to folder + name + ".wrt" at scale 1.0; nothing when there are none.
    void save_stroke_file(const QString& name, const QString& folder);
    // The stroke text such a file holds.
    QByteArray stroke_text() const;
    // The stroke text of the file last loaded, as it was read.
    const QByteArray& loaded_text() const { return loaded_text_; }
    // Writes the strokes as held (zoomed) to the temporary folder + name + ".wrt".
    // Answers the stroke text written; empty when there are no strokes to write.
    QByteArray save_temp(const QString& name);
    // Extracts the character's archive entry into the temporary folder and loads it; an unseen
    // player reads it into memory instead.
    void load_from_archive(const QString& character, const ArchivePaths& archive,
                           IndexColumn column);
    // Cuts the loaded strokes apart into elements and redraws.
    void rebuild_lines();

    QString temp_dir() const;  // "tmp/" in the program folder
    const QString& save_dir() const { return save_dir_; }

private:
    struct LoadedFile;
    const PadSettings& pad() const { return owner_.settings(); }
    std::int32_t hilite_color() const { return pad().stroke_color; }
    double scale() const { return settings_.scale; }
    void load_pictures();
    void draw_grey_underlay();
    void draw_smooth_underlay(RecordStyle grey);
    // The background and the first shown strokes at rest, or every element when whole; the one
    // place the character at rest is drawn, so whatever goes over strokes at rest belongs here.
    void draw_view_at_rest(const CharacterStrokes& strokes, int shown, bool whole);
    // The background with what draw puts over it (smooth when the ink is), the numbers of the
    // first strokes, the note and the editor's marks.
    void draw_over_background(const std::function<void(QImage&, const RestStyle&)>& draw,
                              int numbered);
    void prepare_ticks();
    struct TickInk;
    void play_steps(TickInk& ink, int steps);
    void compose_tick_frame(TickInk& ink, std::optional<QRect> also_changed = QRect());
    void play_instant_run(Canvas& ink);
    void open_stroke(TickInk& ink, const PointRecord& record);
    void end_stroke(TickInk& ink);
    void draw_line(TickInk& ink, const PointRecord& record, QPoint point);
    std::optional<QRect> take_ink_changed(TickInk& ink);
    std::optional<QRect> finish_stroke();
    void release_tick_memory();
    std::optional<QRect> redraw_finished_stroke();
    void play_flash_step(const PointRecord& step);
    void capture_frame(const QImage& bitmap, int delay);
    void finish_playback();
    void end_loop_wait();
    void restart_if_playing();
    void delete_workbook() const;
    void set_interval(int ms);
    LoadedFile read_stroke_file(const QString& path) const;
    LoadedFile read_entry_strokes(const QByteArray& text, const QString& source) const;
    TLineList normalised_lines() const;  // at scale 1.0, as one element
    void apply(LoadedFile loaded);
    void show_note(const QString& text);
    void draw_note();
    void image_changed();
    void draw_smooth_background(Background background);

    PlayerOwner& owner_;
    const PlayerSettings settings_;
    QString zi_;

    // Constants of the timing and the capture.
    static constexpr int base_tick_ms = 30;
    static constexpr int stroke_hold_ms = 250;
    static constexpr int flash_hold_ms = 250;
    static constexpr int gif_every = 6;
    static constexpr int smooth_gif_every = 2;
    static constexpr int loop_wait_ms = 1000;
    static constexpr std::int32_t done_color = 0x000000;
    static constexpr std::int32_t bg_color = 0xFFFFFF;

    TObjList records_;
    TLineList lines_;
    PlayList play_list_;  // the expanded records being played; empty unless playing
    std::unique_ptr<FrameRecorder> capture_;  // this playback's frames, while capture is on

    // Layers, all pad-sized and 24 bits per pixel; white is empty.
    QImage image_;
    QImage frame_bmp_;
    FramePool frames_;         // what frame_bmp_ is copied into, written again once nobody holds it
    ComposedLayers composed_;  // back_bmp_ with ink_bmp_ over it, brought up to date by area
    StrokeLayer stroke_layer_;  // the stroke being written in two colours
    QImage ink_bmp_;
    QImage grey_bmp_;
    QImage back_bmp_;
    QImage model_pic_;
    QImage back_pic_;
    QImage pen_pic_;       // empty when "pen.bmp" is missing
    QImage flashbar_pic_;  // empty when "flashbar.bmp" is missing
    QString back_pic_file_;
    QByteArray loaded_text_;
    QString note_;  // shown instead of strokes, such as the note of an empty stroke file

    // Smooth ink: anti-aliased twins of the layers, which are what is shown. The layers above
    // are drawn as ever, for fills, flashes and the editor.
    bool smooth_ = false;
    bool model_drawn_ = false;  // model_pic_ holds a character's picture
    QImage model_softened_;     // the model picture with soft edges
    QImage back_smooth_;        // the background, the model softened and the underlay smooth
    SmoothInk ink_smooth_;      // the twin of ink_bmp_
    bool ink_alone_ = false;    // this playback's pen lines go to ink_smooth_ alone
    // In two-colour playbacks, the stroke being written, apart until it is finished.
    SmoothInk stroke_smooth_;
    // back_smooth_ with ink_smooth_ and stroke_smooth_ over it, kept up to date by area.
    QImage shown_smooth_;

    // Display state of this character.
    std::optional<bool> companion_grid_;
    bool show_model_ = true;
    bool grey_first_ = true;
    bool two_color_ = false;

    // Playback state.
    bool at_stroke_start_ = true;
    int pen_x_ = 0;
    int pen_y_ = 0;
    bool playing_ = false;
    int play_pos_ = 0;
    int stroke_pause_ = 0;
    int tick_ms_ = base_tick_ms;
    int frame_no_ = 1;
    bool underlay_in_background_ = false;
    bool loop_wait_ = false;
    bool looped_ = false;  // this playback is a round of the loop
    QPoint ink_position_;  // where the next line on the ink layer starts
    QString save_dir_;     // where the last save went

    std::unique_ptr<QTimer> playtimer_;
    std::unique_ptr<StrokeEditor> editor_;
    StrokeNumberPainter number_painter_;
    LessonStep lesson_;
};

}  // namespace inkwren

// The animation player: shows one character on the writing pad and writes it stroke by stroke
// as a pen would, on its own timer. Everything the user sees of the character is composed off
// screen from layer bitmaps (background, ink, grey underlay) into the player's image, which the
// pad's widget paints. The owner (the main window) sets the public fields before init_pad.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>

#include "animation/player_owner.h"
#include "strokes/linelist.h"

namespace inkwren {

class Canvas;

class TAnimationPlayer {
public:
    TAnimationPlayer(PlayerOwner& owner, QString start_dir);
    ~TAnimationPlayer();
    TAnimationPlayer(const TAnimationPlayer&) = delete;
    TAnimationPlayer& operator=(const TAnimationPlayer&) = delete;

    // Settings the owner gives before init_pad (and, for the scales, on each new character).
    int pad_w = 200;
    int pad_h = 200;
    QString zi;
    std::int32_t hilite_color = 0xFF0000;
    std::int32_t done_color = 0x000000;
    std::int32_t bg_color = 0xFFFFFF;
    bool show_grid = true;
    bool show_pen = true;
    bool show_flashbars = true;
    bool show_model = true;
    bool grey_first = true;
    bool two_color = false;
    bool record_gif = false;
    double gif_scale = 1.0;
    QString gif_dir;
    double pen_scale = 1.0;
    double coord_scale = 1.0;
    QString back_pic_file;

    // Constants of the timing and the capture.
    int base_tick_ms = 30;
    int stroke_hold_ms = 250;
    int flash_hold_ms = 250;
    int gif_every = 6;
    int step_len = 1;
    int offset_x = 0;
    int offset_y = 0;
    bool expand_flash = true;

    // The character.
    TObjList records;    // as loaded, the source of the play list
    TLineList lines;     // the strokes as separate elements, what the editor works on
    TObjList play_list;  // the expanded records being played; empty unless playing
    std::vector<GifFrame> gif_frames;

    // Layers, all pad-sized and 24 bits per pixel; white is empty.
    QImage image;  // what the widget shows
    QImage frame_bmp;
    QImage ink_bmp;
    QImage grey_bmp;
    QImage back_bmp;
    QImage model_pic;
    QImage back_pic;
    QImage pen_pic;       // empty when "pen.bmp" is missing
    QImage flashbar_pic;  // empty when "flashbar.bmp" is missing

    // Drawing state.
    int grid_w = 0;
    int grid_h = 0;
    bool at_stroke_start = true;
    int pen_x = 0;
    int pen_y = 0;
    bool fill_now = false;
    bool playing = false;
    int play_pos = 0;
    int stroke_pause = 0;
    int tick_ms = 30;
    int frame_no = 1;
    int selected = -1;
    bool dragging = false;  // an interactive redraw of the editor is under way
    bool saved_marks = false;

    // Called whenever image changes, so the widget can repaint.
    std::function<void()> on_image_changed;

    QTimer& playtimer() { return *playtimer_; }
    QSize pad_size() const { return {pad_w, pad_h}; }
    const QString& start_dir() const { return start_dir_; }

    // Creates the layers at pad size and loads the pen and flash bar pictures.
    void init_pad();

    // Rebuilds back_bmp (frame, background picture, nine-grid, model), clears the ink layer and
    // shows the background.
    void reset_background();
    void draw_ninegrid(QImage& bitmap);

    // Draws a record list onto a bitmap. With set_colour the records take colour (they are
    // changed); with mono they are drawn in mono_colour.
    void draw_records(QImage& bitmap, TObjList& list, std::int32_t colour, bool set_colour,
                      std::int32_t mono_colour, bool mono);
    // The same onto the player's image, with fill-seed marks and Bezier elements.
    // Pen widths are drawn at pen_scale, so the character at rest matches the one played.
    void draw_records_on_image(TObjList& list, bool mono, std::int32_t colour, bool set_colour,
                               std::int32_t mono_colour);
    // Its twin onto a given bitmap (the grey underlay), without Bezier elements.
    void draw_records_on_bitmap(QImage& bitmap, TObjList& list, bool mono, std::int32_t colour,
                                bool set_colour, std::int32_t mono_colour);

    // The background and the whole character at rest.
    void show_static();
    void draw_marks();

    // frame_bmp := background + ink + pen cursor.
    void compose_frame();

    // Repaints the model layer for a character (key bytes in the legacy code page); answers
    // whether a picture was found. An empty text clears the layer at pad size.
    bool draw_model(const QByteArray& text);

    // Playback. play starts from records after a one-second wait; play_tick is the timer's
    // handler, drawing pen_speed + 1 one-pixel steps a tick.
    void play();
    void play_tick();
    // Saves the strokes to the temporary workbook, reloads them and plays.
    void replay();
    // While playing, stops or restarts the timer.
    void pause();
    // Stops, drops captured frames and shows the character at rest.
    void stop_play();
    void toggle_grey_first();
    void toggle_two_color();
    // Presents a frame; with capture on, keeps it for the animated GIF (delay in ms, −1 none).
    void show_frame(const QImage& bitmap, bool stroke_end, int delay);

    // Stroke files. load_stroke_file reads a stroke file and its companion settings and shows
    // the character at rest; a damaged file throws Error and loads nothing.
    void load_stroke_file(const QString& path);
    // Writes the strokes to folder + name + ".wrt" at scale 1.0; nothing when there are none.
    void save_stroke_file(const QString& name, const QString& folder);
    // Writes the strokes as held (zoomed) to the temporary folder + name + ".wrt".
    void save_temp(const QString& name);
    // Extracts the character's archive entry into the temporary folder and loads it.
    void load_from_archive(const QString& character, const QString& data_path,
                           const QString& index_path);
    // Cuts the loaded strokes apart into elements and redraws.
    void rebuild_lines();

    QString temp_dir() const;  // "tmp/" in the start folder
    QString save_dir;          // where the last save went

    PlayerOwner& owner() { return owner_; }

private:
    struct RecordStyle;
    void draw_records_with_marks(QImage& target, TObjList& list, bool mono, std::int32_t colour,
                                 bool set_colour, std::int32_t mono_colour, bool beziers);
    void walk_records(QImage& target, TObjList& list, const RecordStyle& style, bool& stroke_start);
    void draw_fill_seed_mark(Canvas& canvas, const PointRecord& record, bool fill);
    // Draws the Bezier element starting at first; answers the index of its end marker.
    std::size_t draw_bezier_element(QImage& target, const TObjList& element, std::size_t first,
                                    double width_scale);
    void load_pictures();
    void draw_grey_underlay();
    void play_instant_run(Canvas& ink);
    void open_stroke(Canvas& ink, const PointRecord& record);
    void end_stroke();
    void play_flash_step(const PointRecord& step);
    void finish_playback();
    void restart_if_playing();
    void delete_workbook() const;
    void set_interval(int ms);
    void apply_companion(const QString& stroke_path);
    void load_back_picture(const QString& stroke_folder);
    void show_note(const QString& text);
    void image_changed();

    PlayerOwner& owner_;
    QString start_dir_;
    QPoint ink_position_;  // where the next line on the ink layer starts
    std::unique_ptr<QTimer> playtimer_;
};

}  // namespace inkwren

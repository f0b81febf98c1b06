#include "pad/writing_pad.h"

#include <QDir>
#include <QFileInfo>

#include "encoding/recognition.h"
#include "langtable/language_table.h"
#include "langtable/text_keys.h"
#include "pad/pad_layout.h"
#include "platform/dialogs.h"
#include "platform/error.h"

namespace inkwren {
namespace {

constexpr auto temp_folder_name = "tmp/";
constexpr auto custom_folder_name = "udefined/";

}  // namespace

WritingPad::WritingPad(Dialogs& dialogs, const LanguageTable& language, QString program_folder)
    : dialogs_(dialogs), language_(language), program_folder_(std::move(program_folder)) {}

WritingPad::~WritingPad() {
    if (player) {
        player->stop_play();
    }
}

QString WritingPad::temp_folder() const {
    return QDir(program_folder_).filePath(QString::fromLatin1(temp_folder_name));
}

QString WritingPad::custom_folder() const {
    return QDir(program_folder_).filePath(QString::fromLatin1(custom_folder_name));
}

QString WritingPad::custom_name() const {
    if (cur_text.isEmpty()) {
        return {};
    }
    return QStringLiteral("%1").arg(cur_text[0].unicode(), 4, 16, QLatin1Char('0')).toUpper();
}

QString WritingPad::archive_path() const {
    return QDir(program_folder_).filePath(archive.archive_file);
}

QString WritingPad::index_path() const {
    return QDir(program_folder_).filePath(archive.index_file);
}

QString WritingPad::text(const QString& key) const {
    return language_.lookup_text(key);
}

void WritingPad::report(const QString& message) {
    dialogs_.inform(text(QString::fromLatin1(text_key::window_caption)), message);
}

void WritingPad::write_gif(const std::vector<GifFrame>&, double) {
    // Animated GIF export comes with its writer; until then captured frames are dropped.
}

void WritingPad::set_sliders(int pen_speed, int stroke_interval) {
    speed = std::clamp(pen_speed, 0, 100);
    interval = std::clamp(stroke_interval, 0, 30);
    if (on_sliders_changed) {
        on_sliders_changed();
    }
}

void WritingPad::set_model_font(const QString& family, int size, std::uint8_t style) {
    model_font_family = family;
    model_font_size = size;
    model_font_style = style;
}

bool WritingPad::TextCopyDetected(const QString& text) {
    custom_dirty = false;
    reload_recent = false;
    if (!pad_ready) {
        return false;
    }
    const std::optional<CharacterKey> key = recognise_text(text, encoding, index_path(), legacy_cp);
    if (!key) {
        return false;
    }
    cur_key = key->key_text;
    cur_text = text;
    show_ani_writing();
    if (player) {
        player->rebuild_lines();
        if (auto_play) {
            player->replay();
        }
    }
    if (on_field_text) {
        on_field_text(text);
    }
    return true;
}

void WritingPad::select_text(const QString& text) {
    offer_save();
    TextCopyDetected(text);
}

void WritingPad::show_missing_archive() {
    dialogs_.inform(text(QString::fromLatin1(text_key::file_missing_caption)),
                    text(QString::fromLatin1(text_key::archive_missing_for_character_text)) +
                        text(QString::fromLatin1(text_key::reinstall_advice)));
}

void WritingPad::show_ani_writing() {
    archive_present = QFileInfo::exists(archive_path());
    if (!archive_present) {
        show_missing_archive();
    } else if (cur_key != QStringLiteral("?") && cur_key != QStringLiteral("*")) {
        rebuild_player();
        load_current_character();
    }
    if (on_keep_on_screen) {
        on_keep_on_screen(0);
    }
}

void WritingPad::rebuild_player() {
    if (player) {
        player->stop_play();
    }
    player = std::make_unique<TAnimationPlayer>(*this, program_folder_);
    player->zi = cur_key;
    player->pad_w = pad_w;
    player->pad_h = pad_h;
    player->hilite_color = stroke_color;
    player->show_grid = show_grid;
    player->show_pen = show_pen;
    player->gif_scale = gif_scale;
    player->record_gif = record_gif;
    player->gif_dir = output_folder.endsWith(QLatin1Char('/')) || output_folder.isEmpty()
                          ? output_folder
                          : output_folder + QLatin1Char('/');
    player->init_pad();
    player->coord_scale = player->pen_scale = zoom_scale;
    player->two_color = two_color;
    player->grey_first = grey_first;
    if (on_player_replaced) {
        on_player_replaced();
    }
}

void WritingPad::load_current_character() {
    const QString recent = QDir(temp_folder()).filePath(QString::fromLatin1(recent_file_name));
    const QString custom = QDir(custom_folder()).filePath(custom_name() + QStringLiteral(".wrt"));
    if (reload_recent) {
        player->load_stroke_file(recent);
    } else if (use_custom && !custom_name().isEmpty() && QFileInfo::exists(custom)) {
        player->load_stroke_file(custom);
    } else {
        player->load_from_archive(cur_key, archive_path(), index_path());
    }
}

void WritingPad::Display_Writing_Pad() {
    archive_present = QFileInfo::exists(archive_path());
    if (!archive_present) {
        dialogs_.inform(text(QString::fromLatin1(text_key::pad_not_shown_caption)),
                        text(QString::fromLatin1(text_key::archive_missing_for_pad_text)) +
                            text(QString::fromLatin1(text_key::reinstall_advice)));
        return;
    }
    if (on_keep_on_screen) {
        on_keep_on_screen(0);
    }
    TextCopyDetected(cur_key);
}

bool WritingPad::offer_save() {
    if (!custom_dirty) {
        return false;
    }
    if (!dialogs_.ask(text(QString::fromLatin1(text_key::window_caption)),
                      text(QString::fromLatin1(text_key::save_custom_question)))) {
        return false;
    }
    save_custom();
    dialogs_.inform(text(QString::fromLatin1(text_key::window_caption)),
                    text(QString::fromLatin1(text_key::custom_saved_notice)));
    return true;
}

void WritingPad::save_custom() {
    if (player && !custom_name().isEmpty()) {
        player->save_stroke_file(custom_name(), custom_folder());
    }
    custom_dirty = false;
}

void WritingPad::toggle_zoom(int screen_height) {
    if (custom_dirty && player) {
        player->save_temp(QStringLiteral("recent"));
        reload_recent = true;
    }
    const ZoomStep step = next_zoom(pad_w, can_magnify, screen_height);
    pad_w = pad_h = step.width;
    can_magnify = step.can_magnify;
    zoom_scale = pad_w / double(pad_base_size);
    speed = 5;
    if (on_sliders_changed) {
        on_sliders_changed();
    }
    const bool was_playing = player && player->playing;
    if (player) {
        player->stop_play();
    }
    show_ani_writing();
    if (player) {
        player->rebuild_lines();
        if (was_playing) {
            player->replay();
        }
    }
}

void WritingPad::toggle_grid() {
    show_grid = !show_grid;
    if (!player) {
        return;
    }
    player->show_grid = show_grid;
    const bool was_playing = player->playing;
    player->stop_play();
    if (was_playing) {
        player->replay();
    } else {
        player->reset_background();
        player->show_static();
    }
}

void WritingPad::toggle_pen() {
    show_pen = !show_pen;
    if (player) {
        player->show_pen = show_pen;
    }
}

void WritingPad::toggle_flashbars() {
    show_flashbars = !show_flashbars;
    if (player) {
        player->show_flashbars = show_flashbars;
        player->show_static();
    }
}

void WritingPad::clipboard_changed(const QString& text) {
    if (text.isEmpty()) {
        return;
    }
    offer_save();
    TextCopyDetected(text);
}

DroppedKind WritingPad::drop_file(const QString& path) {
    const DroppedKind kind = classify_dropped_file(path);
    if (kind == DroppedKind::ignored || !player) {
        return kind;
    }
    player->stop_play();
    player->selected = -1;
    if (kind == DroppedKind::stroke_file) {
        // The dropped character replaces the one shown rather than joining its strokes.
        player->lines = {};
        player->load_stroke_file(path);
        player->rebuild_lines();
    }
    return kind;
}

}  // namespace inkwren

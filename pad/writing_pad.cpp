#include "pad/writing_pad.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <chrono>

#include "animation/stroke_editor.h"
#include "encoding/recognition.h"
#include "langtable/language_table.h"
#include "langtable/text_keys.h"
#include "pad/pad_layout.h"
#include "pad/picture_dictionary.h"
#include "platform/code_page.h"
#include "platform/dialogs.h"
#include "platform/error.h"
#include "strokes/mainland_forms.h"

namespace inkwren {
namespace {

constexpr int pen_speed_after_zoom = 5;

}  // namespace

WritingPad::WritingPad(Dialogs& dialogs, const LanguageTable& language, QString program_folder,
                       int legacy_code_page)
    : dialogs_(dialogs),
      language_(language),
      program_folder_(std::move(program_folder)),
      legacy_cp_(legacy_code_page),
      player_(make_player(QSize(pad_side_, pad_side_), QString())),
      info_(QDir(program_folder_).filePath(QString::fromLatin1(char_info_file_name))) {
    player_->reset_background();
}

WritingPad::~WritingPad() {
    player_->stop_play();
}

QString WritingPad::temp_folder() const {
    if (!temp_folder_.isEmpty()) {
        return temp_folder_;
    }
    return QDir(program_folder_).filePath(QString::fromLatin1(temp_folder_name));
}

QString WritingPad::custom_folder() const {
    return QDir(program_folder_).filePath(QString::fromLatin1(custom_folder_name));
}

QString WritingPad::custom_file() const {
    return QDir(custom_folder()).filePath(custom_name() + QStringLiteral(".wrt"));
}

QString custom_name_of(const QString& character) {
    if (character.isEmpty()) {
        return {};
    }
    // A character beyond the Basic Multilingual Plane is named by its whole code point: its
    // first UTF-16 unit is shared by thousands of characters.
    const char32_t code = character[0].isHighSurrogate() ? character.toUcs4().front()
                                                         : char32_t(character[0].unicode());
    return QStringLiteral("%1").arg(uint(code), 4, 16, QLatin1Char('0')).toUpper();
}

QString WritingPad::custom_name() const {
    return custom_name_of(cur_text_);
}

bool WritingPad::delete_from_custom_db(const QString& name, const QString& folder) const {
    QDir::setCurrent(program_folder_);
    QFile file(QDir(folder).filePath(name + QStringLiteral(".wrt")));
    return file.exists() && file.remove();
}

QString WritingPad::archive_path() const {
    return QDir(program_folder_).filePath(archive_.archive_file);
}

QString WritingPad::index_path() const {
    return QDir(program_folder_).filePath(archive_.index_file);
}

QString WritingPad::text(const QString& key) const {
    return language_.lookup_text(key);
}

void WritingPad::report(const QString& message) {
    dialogs_.inform(text(QString::fromLatin1(text_key::window_caption)), message);
}

std::unique_ptr<FrameRecorder> WritingPad::start_capture() {
    return capture ? capture->start() : nullptr;
}

void WritingPad::write_gif(std::unique_ptr<FrameRecorder> finished) {
    if (capture) {
        capture->finished(std::move(finished));
    }
}

void WritingPad::choose_encoding(EncodingItem item) {
    choose_encoding_item(encoding_, item);
}

void WritingPad::take_companion(const CompanionPad& companion) {
    settings_.pen_speed = companion.pen_speed;
    settings_.stroke_interval = companion.stroke_interval;
    settings_.model_font = companion.model_font;
    sliders_changed();
}

void WritingPad::sliders_changed() {
    if (on_settings_changed) {
        on_settings_changed();
    }
}

std::unique_ptr<TAnimationPlayer> WritingPad::make_player(QSize size, const QString& character) {
    PlayerSettings settings = PlayerSettings::square(size.width(), program_folder_);
    settings.zi = character;
    settings.legacy_code_page = legacy_cp_;
    settings.temp_folder = temp_folder_;
    settings.unseen = unseen_;
    settings.model_pictures = [folder = program_folder_](const QString& model) {
        return find_model_picture(folder, model);
    };
    return std::make_unique<TAnimationPlayer>(*this, std::move(settings));
}

void WritingPad::replace_player(std::unique_ptr<TAnimationPlayer> player) {
    player_->halt();
    practice_.reset();  // it draws on the player going
    player_ = std::move(player);
    if (practice_choices_) {
        practise_current_character();
    }
    if (on_player_replaced) {
        on_player_replaced();
    }
}

bool WritingPad::TextCopyDetected(const QString& text) {
    custom_dirty_ = false;
    reload_recent_ = false;
    const std::optional<CharacterKey> key =
        recognise_text(text, encoding_, index_path(), legacy_cp_);
    if (!key) {
        return false;
    }
    // The character becomes current only once its strokes are loaded.
    const QString previous_key = std::exchange(cur_key_, key->key_text);
    const QString previous_text = std::exchange(cur_text_, text);
    try {
        show_ani_writing();
    } catch (const Error&) {
        cur_key_ = previous_key;
        cur_text_ = previous_text;
        throw;
    }
    player_->rebuild_lines();
    if (practice_choices_) {
        practise_current_character();
    } else if (auto_play_) {
        player_->replay();
    }
    if (on_field_text) {
        on_field_text(text);
    }
    return true;
}

bool WritingPad::select_text(const QString& text) {
    offer_save();
    return TextCopyDetected(text);
}

void WritingPad::show_missing_archive() {
    dialogs_.inform(text(QString::fromLatin1(text_key::file_missing_caption)),
                    text(QString::fromLatin1(text_key::archive_missing_for_character_text)) +
                        text(QString::fromLatin1(text_key::reinstall_advice)));
}

void WritingPad::show_ani_writing() {
    archive_present_ = QFileInfo::exists(archive_path());
    if (!archive_present_) {
        show_missing_archive();
    } else if (cur_key_.isEmpty()) {
        // Nothing is shown yet: an empty pad of the size in force.
        std::unique_ptr<TAnimationPlayer> empty =
            make_player(QSize(pad_side_, pad_side_), QString());
        empty->reset_background();
        replace_player(std::move(empty));
    } else if (cur_key_ != QStringLiteral("?") && cur_key_ != QStringLiteral("*")) {
        std::unique_ptr<TAnimationPlayer> fresh =
            make_player(QSize(pad_side_, pad_side_), cur_key_);
        load_current_character(*fresh);
        replace_player(std::move(fresh));
    }
    if (on_keep_on_screen) {
        on_keep_on_screen(0);
    }
}

void WritingPad::load_current_character(TAnimationPlayer& player) {
    const QString recent = QDir(temp_folder()).filePath(QString::fromLatin1(recent_file_name));
    if (reload_recent_) {
        player.load_stroke_file(recent);
        mainland_form_ = false;
        return;
    }
    if (use_custom_ && !custom_name().isEmpty() && QFileInfo::exists(custom_file())) {
        try {
            player.load_stroke_file(custom_file());
            mainland_form_ = false;
            return;
        } catch (const Error& error) {
            // The archive's version is shown instead of a custom file that cannot be read.
            report(error.message());
        }
    }
    const IndexColumn column = column_for_mode(encoding_.encoding_mode);
    player.load_from_archive(cur_key_, archive_paths(archive_, program_folder_), column);
    mainland_form_ = keeps_mainland_form(archived_character(cur_key_, column, legacy_cp_), archive_,
                                         program_folder_);
}

bool WritingPad::Display_Writing_Pad() {
    archive_present_ = QFileInfo::exists(archive_path());
    if (!archive_present_) {
        dialogs_.inform(text(QString::fromLatin1(text_key::pad_not_shown_caption)),
                        text(QString::fromLatin1(text_key::archive_missing_for_pad_text)) +
                            text(QString::fromLatin1(text_key::reinstall_advice)));
        return false;
    }
    if (on_keep_on_screen) {
        on_keep_on_screen(0);
    }
    return TextCopyDetected(cur_key_);
}

bool WritingPad::offer_save() {
    if (!custom_dirty_) {
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
    if (!custom_name().isEmpty()) {
        player_->save_stroke_file(custom_name(), custom_folder());
    }
    player_->editor().mark_saved();
    custom_dirty_ = false;
}

// The edits go with the strokes to the new player, in memory and at the pad's new scale, so the
// strokes keep their shape and size on the pad and the history stays whole. The edited strokes
// are also kept as "recent" at the unzoomed scale, the scale every stroke file holds.
void WritingPad::toggle_zoom(int screen_height) {
    const ZoomStep step = next_zoom(pad_side_, can_magnify_, screen_height);
    const bool was_playing = player_->playing();
    player_->stop_play();
    std::optional<EditHistory> edits;
    if (custom_dirty_ || player_->editor().history().count() > 0) {
        edits = scaled_history(player_->editor().take_history(), 1.0 / zoom_scale());
    }
    if (custom_dirty_) {
        player_->save_stroke_file(QStringLiteral("recent"), player_->temp_dir());
        reload_recent_ = true;
    }
    const int previous_side = std::exchange(pad_side_, step.width);
    try {
        show_ani_writing();
    } catch (const Error&) {
        pad_side_ = previous_side;
        throw;
    }
    can_magnify_ = step.can_magnify;
    settings_.pen_speed = pen_speed_after_zoom;
    sliders_changed();
    player_->rebuild_lines();
    if (edits) {
        player_->editor().adopt_history(scaled_history(std::move(*edits), zoom_scale()));
    }
    if (was_playing) {
        player_->replay();
    }
}

void WritingPad::toggle_grid() {
    settings_.show_grid = !settings_.show_grid;
    player_->use_pad_grid();
    redraw_grid();
}

void WritingPad::set_grid_style(PadGridStyle style) {
    settings_.grid_style = style;
    redraw_grid();
}

// The background is drawn again; a playback starts again over it.
void WritingPad::redraw_grid() {
    const bool was_playing = player_->playing();
    player_->stop_play();
    if (was_playing) {
        player_->replay();
    } else {
        player_->reset_background();
        player_->redraw_at_rest();
    }
}

void WritingPad::toggle_pen() {
    settings_.show_pen = !settings_.show_pen;
}

void WritingPad::toggle_flashbars() {
    settings_.show_flashbars = !settings_.show_flashbars;
    player_->redraw_at_rest();
}

void WritingPad::toggle_grey_first() {
    settings_.grey_first = !settings_.grey_first;
    player_->display_modes_changed();
}

void WritingPad::toggle_two_color() {
    settings_.two_color = !settings_.two_color;
    player_->display_modes_changed();
}

void WritingPad::set_smooth_ink(bool on) {
    settings_.smooth_ink = on;
    player_->smooth_ink_changed();
}

void WritingPad::start_practice(const PracticeChoices& choices) {
    practice_choices_ = choices;
    practise_current_character();
}

void WritingPad::stop_practice() {
    practice_choices_.reset();
    practice_.reset();
    player_->show_static();
}

void WritingPad::practise_current_character() {
    practice_ = std::make_unique<PracticeMode>(
        *player_, *practice_choices_,
        [this](const char* key) { return text(QString::fromLatin1(key)); },
        [] {
            return std::int64_t(std::chrono::duration_cast<std::chrono::milliseconds>(
                                    std::chrono::steady_clock::now().time_since_epoch())
                                    .count());
        });
}

void WritingPad::begin_practice_stroke(QPointF at) {
    if (practice_ && practice_->finished() && on_practice_next) {
        on_practice_next();  // a new character makes a new practice
    }
    if (practice_) {
        practice_->pen_down(at);
    }
}

void WritingPad::end_practice_stroke(QPointF at) {
    if (practice_) {
        score_practice([&] { practice_->pen_up(at); });
    }
}

void WritingPad::skip_practice_stroke() {
    if (practice_) {
        score_practice([&] { practice_->skip(); });
    }
}

void WritingPad::score_practice(const std::function<void()>& turn) {
    const bool was_finished = practice_->finished();
    turn();
    if (!was_finished && practice_->finished() && on_practice_finished) {
        on_practice_finished(player_->zi(), practice_->session());
    }
}

void WritingPad::show_stroke_numbers(bool on) {
    settings_.stroke_numbers = on;
    if (!player_->playing()) {
        player_->redraw_at_rest();
    }
}

void WritingPad::pick_colour(std::int32_t colour, bool pressed) {
    settings_.pick_color = colour;
    if (pressed) {
        player_->editor().recolour(colour);
    }
}

std::optional<std::int32_t> WritingPad::choose_colour() {
    return dialogs_.choose_colour(settings_.pick_color);
}

void WritingPad::add_flash_bar() {
    player_->editor().add_flash_bar();
}

void WritingPad::delete_flash_bar() {
    player_->editor().delete_flash_bar();
}

void WritingPad::undo() {
    player_->editor().undo();
}

void WritingPad::redo() {
    player_->editor().redo();
}

void WritingPad::play_or_pause() {
    inkwren::play_or_pause(*player_);
}

void WritingPad::step_strokes(StrokeStep step) {
    inkwren::step_strokes(*player_, step);
}

// Switched off during the wait before the next round, looping ends with that wait.
void WritingPad::toggle_looping() {
    settings_.loop_lesson = !settings_.loop_lesson;
}

void WritingPad::change_pen_speed(int notches) {
    settings_.pen_speed = pen_speed_range.clamped(settings_.pen_speed + notches);
    sliders_changed();
}

void WritingPad::set_pen_speed(int speed) {
    settings_.pen_speed = pen_speed_range.clamped(speed);
}

void WritingPad::set_stroke_interval(int interval) {
    settings_.stroke_interval = stroke_interval_range.clamped(interval);
}

void WritingPad::clipboard_changed(const QString& text) {
    if (text.isEmpty()) {
        return;
    }
    offer_save();
    TextCopyDetected(text);
}

std::optional<CharInfo> WritingPad::character_info() const {
    return info_.info_of(
        archived_character(cur_key_, column_for_mode(encoding_.encoding_mode), legacy_cp_));
}

std::vector<CharInfo> WritingPad::characters_read_as(const QString& typed,
                                                     std::size_t limit) const {
    return info_.characters_read_as(
        typed, archive_.archive_file == QLatin1String(simplified_archive), limit);
}

DroppedKind WritingPad::drop_file(const QString& path) {
    const DroppedKind kind = classify_dropped_file(path);
    if (kind == DroppedKind::ignored) {
        return kind;
    }
    if (kind == DroppedKind::stroke_file) {
        offer_save();
    }
    player_->stop_play();
    if (kind == DroppedKind::stroke_file) {
        // The dropped strokes replace those shown; the current character stays.
        player_->load_stroke_file(path);
        mainland_form_ = false;
        player_->rebuild_lines();
    }
    return kind;
}

}  // namespace inkwren

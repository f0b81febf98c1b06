// The file side of the animation player: loading stroke files with their companion settings,
// saving the strokes back at scale 1.0, and the temporary files in "tmp/".
#include <QDir>
#include <QFileInfo>
#include <QPainter>

#include "animation/animationplayer.h"
#include "animation/layers.h"
#include "animation/raster.h"
#include "animation/stroke_editor.h"
#include "encoding/recognition.h"
#include "langtable/text_keys.h"
#include "platform/code_page.h"
#include "platform/error.h"
#include "platform/whole_file.h"
#include "strokes/companion_settings.h"
#include "strokes/stroke_text.h"

namespace inkwren {

// Everything a stroke file brings, read before any of it is used, so that a damaged file
// leaves the player as it was.
struct TAnimationPlayer::LoadedFile {
    bool exists = false;
    QByteArray text;  // the stroke text as the file holds it
    TObjList records;
    std::optional<CompanionSettings> companion;
    QString back_pic_file;
    QImage back_pic;
    bool back_pic_missing = false;
};

QString TAnimationPlayer::temp_dir() const {
    if (!settings_.temp_folder.isEmpty()) {
        return settings_.temp_folder;
    }
    return QDir(settings_.program_folder).filePath(QString::fromLatin1(temp_folder_name));
}

TAnimationPlayer::LoadedFile TAnimationPlayer::read_stroke_file(const QString& path) const {
    LoadedFile loaded;
    const QFileInfo file(path);
    loaded.exists = file.exists();
    if (loaded.exists) {
        if (!file.isFile()) {
            throw Error(QStringLiteral("\"%1\" is a folder, not a stroke file.").arg(path));
        }
        loaded.text = inkwren::read_stroke_file(path);
        loaded.records = parse_stroke_text(loaded.text, path, EndMarkerKind::keep_pen_up);
    }
    loaded.companion = read_companion(path);
    if (loaded.companion) {
        loaded.back_pic_file =
            from_code_page(loaded.companion->back_pic_file, settings_.legacy_code_page);
    }
    if (!loaded.back_pic_file.isEmpty()) {
        // A relative name is looked for beside the stroke file first, so a stroke file and its
        // picture can travel together, then in the program folder.
        QString picture = QDir(file.absolutePath()).filePath(loaded.back_pic_file);
        if (!QFileInfo::exists(picture)) {
            picture = QDir(settings_.program_folder).filePath(loaded.back_pic_file);
        }
        const QImage image(picture);
        loaded.back_pic_missing = image.isNull();
        if (!image.isNull()) {
            loaded.back_pic = to_24bit(image);
        }
    }
    return loaded;
}

// An archive entry read into memory, as its file in the temporary folder would be read: the
// same size limit, and no companion settings.
TAnimationPlayer::LoadedFile TAnimationPlayer::read_entry_strokes(const QByteArray& text,
                                                                  const QString& source) const {
    if (text.size() > max_stroke_text_size) {
        throw Error(QStringLiteral("The stroke file \"%1\" is too large.").arg(source));
    }
    LoadedFile loaded;
    loaded.exists = true;
    loaded.text = text;
    loaded.records = parse_stroke_text(loaded.text, source, EndMarkerKind::keep_pen_up);
    return loaded;
}

void TAnimationPlayer::load_stroke_file(const QString& path) {
    apply(read_stroke_file(path));
}

void TAnimationPlayer::apply(LoadedFile loaded) {
    playtimer_->stop();
    playing_ = false;
    play_list_ = {};
    note_.clear();
    editor_->reset();
    if (loaded.exists) {
        records_ = std::move(loaded.records);
        loaded_text_ = std::move(loaded.text);
        lines_ = {};
        if (records_.empty()) {
            reset_background();
            show_note(owner_.text(QString::fromLatin1(text_key::empty_stroke_file_note)));
            return;
        }
        add_line(lines_, scaled_records(records_, scale()));
    }
    QString model;
    if (const std::optional<CompanionSettings>& settings = loaded.companion) {
        const int code_page = settings_.legacy_code_page;
        companion_grid_ = settings->show_grid;
        grey_first_ = settings->grey_first;
        show_model_ = settings->show_model;
        zi_ = from_code_page(settings->model_text, code_page);
        owner_.take_companion({pen_speed_range.clamped(settings->pen_speed),
                               stroke_interval_range.clamped(settings->stroke_interval),
                               {from_code_page(settings->font_name, code_page), settings->font_size,
                                settings->font_style}});
        if (settings->show_model) {
            model = zi_;
        }
    }
    draw_model(model);
    back_pic_file_ = loaded.back_pic_file;
    back_pic_ = loaded.back_pic_missing || loaded.back_pic.isNull() ? blank_layer(pad_size())
                                                                    : loaded.back_pic;
    if (loaded.back_pic_missing) {
        owner_.report(
            owner_.text(QString::fromLatin1(text_key::background_picture_missing_warning)) +
            QLatin1Char(' ') + back_pic_file_);
    }
    reset_background();
    if (!lines_.items.empty()) {
        show_static();
    }
    // Last, so a temporary folder that cannot be written leaves the file shown all the same.
    if (loaded.exists && !settings_.unseen) {
        save_temp(QStringLiteral("tmp"));
    }
}

void TAnimationPlayer::show_note(const QString& text) {
    note_ = text;
    show_static();
}

void TAnimationPlayer::draw_note() {
    QPainter painter(&image_);
    painter.setPen(Qt::black);
    painter.drawText(QRect(QPoint(2, 2), pad_size() - QSize(4, 4)),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, note_);
}

void TAnimationPlayer::save_stroke_file(const QString& name, const QString& folder) {
    save_dir_ = folder;
    QDir().mkpath(folder);
    if (lines_.items.empty()) {
        return;
    }
    // Normalised in memory and written once, so the file is replaced whole and every end
    // marker keeps its kind.
    write_strokes(normalised_lines(), name, folder);
}

TLineList TAnimationPlayer::normalised_lines() const {
    TLineList normalised;
    add_line(normalised, scaled_records(flatten_lines(lines_), 1.0 / scale()));
    return normalised;
}

QByteArray TAnimationPlayer::stroke_text() const {
    return format_stroke_text(normalised_lines());
}

QByteArray TAnimationPlayer::save_temp(const QString& name) {
    save_dir_ = temp_dir();
    QDir().mkpath(save_dir_);
    if (lines_.items.empty()) {
        return {};
    }
    return write_strokes(lines_, name, save_dir_, Durability::working_copy);
}

void TAnimationPlayer::load_from_archive(const QString& character, const ArchivePaths& archive,
                                         IndexColumn column) {
    const QByteArray key = archive_key_for(character, settings_.legacy_code_page);
    if (settings_.unseen) {
        if (const std::optional<QByteArray> text = read_entry(key, archive, column)) {
            apply(
                read_entry_strokes(*text, QStringLiteral("%1 (%2)").arg(archive.data, character)));
        }
        return;
    }
    QDir().mkpath(temp_dir());
    extract_entry(key, archive, temp_dir(), column, Durability::working_copy);
    const QString recent = QDir(temp_dir()).filePath(QString::fromLatin1(recent_file_name));
    if (QFileInfo::exists(recent)) {
        load_stroke_file(recent);
    }
}

void TAnimationPlayer::rebuild_lines() {
    lines_ = split_strokes(flatten_lines(lines_));
    editor_->deselect();
    show_static();
}

}  // namespace inkwren

// The file side of the animation player: loading stroke files with their companion settings,
// saving the strokes back at scale 1.0, and the temporary files in "tmp/".
#include <QDir>
#include <QFileInfo>
#include <QPainter>

#include "animation/animationplayer.h"
#include "animation/raster.h"
#include "encoding/recognition.h"
#include "langtable/text_keys.h"
#include "platform/code_page.h"
#include "platform/error.h"
#include "strokes/companion_settings.h"
#include "strokes/stroke_text.h"

namespace inkwren {
namespace {

// Records scaled about the origin; end markers stay at their mark.
TObjList scaled(const TObjList& records, double factor) {
    TObjList result = records;
    for (PointRecord& record : result) {
        if (!is_end_marker(record)) {
            record.x *= factor;
            record.y *= factor;
        }
    }
    return result;
}

}  // namespace

QString TAnimationPlayer::temp_dir() const {
    return QDir(start_dir_).filePath(QStringLiteral("tmp/"));
}

void TAnimationPlayer::load_stroke_file(const QString& path) {
    if (QFileInfo::exists(path)) {
        records.clear();
        read_records(path, records, offset_x, offset_y);
        if (records.empty()) {
            show_note(owner_.text(QString::fromLatin1(text_key::empty_stroke_file_note)));
            return;
        }
        add_line(lines, scaled(records, coord_scale));
        save_temp(QStringLiteral("tmp"));
    }
    apply_companion(path);
    load_back_picture(QFileInfo(path).absolutePath());
    reset_background();
    if (!lines.items.empty()) {
        show_static();
    }
    playtimer_->stop();
    playing = false;
}

void TAnimationPlayer::apply_companion(const QString& stroke_path) {
    QByteArray model_key;
    if (const std::optional<CompanionSettings> settings = read_companion(stroke_path)) {
        const int code_page = owner_.legacy_code_page();
        show_grid = settings->show_grid;
        grey_first = settings->grey_first;
        show_model = settings->show_model;
        zi = from_code_page(settings->model_text, code_page);
        owner_.set_model_font(from_code_page(settings->font_name, code_page), settings->font_size,
                              settings->font_style);
        owner_.set_sliders(settings->pen_speed, settings->stroke_interval);
        back_pic_file = from_code_page(settings->back_pic_file, code_page);
        if (settings->show_model) {
            model_key = settings->model_text;
        }
    }
    draw_model(model_key);
}

void TAnimationPlayer::load_back_picture(const QString& stroke_folder) {
    back_pic = make_bitmap(pad_w, pad_h);
    if (back_pic_file.isEmpty()) {
        return;
    }
    // A relative name is looked for beside the stroke file first, so a stroke file and its
    // picture can travel together, then in the program folder.
    QString path = QDir(stroke_folder).filePath(back_pic_file);
    if (!QFileInfo::exists(path)) {
        path = QDir(start_dir_).filePath(back_pic_file);
    }
    const QImage picture(path);
    if (picture.isNull()) {
        owner_.report(
            owner_.text(QString::fromLatin1(text_key::background_picture_missing_warning)) +
            back_pic_file);
        return;
    }
    back_pic = to_24bit(picture);
}

void TAnimationPlayer::show_note(const QString& text) {
    QPainter painter(&image);
    painter.setPen(Qt::black);
    painter.drawText(QRect(2, 2, pad_w - 4, pad_h - 4),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
    painter.end();
    image_changed();
}

void TAnimationPlayer::save_stroke_file(const QString& name, const QString& folder) {
    save_dir = folder;
    QDir().mkpath(folder);
    if (lines.items.empty()) {
        return;
    }
    // Normalised in memory and written once, so the file is replaced whole and every end
    // marker keeps its kind.
    TLineList normalised;
    add_line(normalised, scaled(flatten_lines(lines), 1.0 / coord_scale));
    write_strokes(normalised, name, folder);
}

void TAnimationPlayer::save_temp(const QString& name) {
    save_dir = temp_dir();
    QDir().mkpath(save_dir);
    if (!lines.items.empty()) {
        write_strokes(lines, name, save_dir);
    }
}

void TAnimationPlayer::load_from_archive(const QString& character, const QString& data_path,
                                         const QString& index_path) {
    QDir().mkpath(temp_dir());
    const QByteArray key = archive_key_for(character, owner_.legacy_code_page());
    extract_entry(key, data_path, index_path, temp_dir(), owner_.lookup_column());
    const QString recent = QDir(temp_dir()).filePath(QString::fromLatin1(recent_file_name));
    if (QFileInfo::exists(recent)) {
        load_stroke_file(recent);
    }
}

void TAnimationPlayer::rebuild_lines() {
    lines = split_strokes(flatten_lines(lines));
    show_static();
}

}  // namespace inkwren

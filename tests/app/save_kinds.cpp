#include "tests/app/save_kinds.h"

#include <QDir>

#include <QPainter>

#include "animation/animationplayer.h"
#include "animation/simple_player_owner.h"
#include "app/practice_log.h"
#include "app/preference_record.h"
#include "app/user_folder.h"
#include "app/view_settings.h"
#include "output/gif_encoder.h"
#include "output/jpeg_writer.h"
#include "output/sheet_settings_record.h"
#include "platform/whole_file.h"
#include "strokes/companion_settings.h"
#include "strokes/stroke_archive.h"
#include "strokes/stroke_text.h"
#include "tests/support/fixtures.h"

namespace inkwren::testing {
namespace {

// A long stroke text, so a save takes long enough to be cut in the middle.
QByteArray long_strokes(int version) {
    return sample_stroke_text(2000 + version * 500);
}

PreferenceRecord preferences(int version) {
    PreferenceRecord record;
    record.language_file = version == 0 ? "english.txt" : "lang.txt";
    record.stored_encoding_mode = version == 0 ? 5 : 0;
    return record;
}

SheetSlots sheet(int version) {
    SheetSettings settings;
    settings.per_row = version == 0 ? 8 : 5;
    settings.second_color = version == 0 ? 0xFF0000 : 0x00AA00;
    return sheet_slots(settings);
}

CompanionSettings companion(int version) {
    CompanionSettings settings;
    settings.show_grid = version == 0;
    settings.pen_speed = 3 + version;
    return settings;
}

QString character(int version) {
    return version == 0 ? QStringLiteral("永") : QStringLiteral("國");
}

// The second line is long enough to need more than the room left in the first's block of a
// full disk.
PracticeRecord practised(int version) {
    return {.finished = QDateTime(QDate(2026, 12, 7), QTime(9, 30 + version), Qt::UTC),
            .character = character(version),
            .mistakes = std::vector<int>(std::size_t(5 + version * 3000), version),
            .seconds = 20 + version};
}

ViewSettings view(int version) {
    ViewSettings settings;
    settings.stroke_numbers = version == 1;
    return settings;
}

QImage sheet_picture(int version) {
    QImage picture(160 + version * 40, 120, QImage::Format_RGB888);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.fillRect(20, 20, 40 + version * 30, 60, Qt::red);
    return picture;
}

QByteArray gif_bytes(int version) {
    return "GIF89a" + QByteArray(3000 + version * 1000, char('a' + version)) + ";";
}

const QByteArray other_settings = "[Other]\nkey=1\n";
const QString installation_path = QStringLiteral("/opt/墨鷦/");

// The player saves its custom characters and its workbook from the strokes it holds.
void save_from_player(const QString& folder, int version, bool workbook) {
    SimplePlayerOwner owner;
    PlayerSettings settings = PlayerSettings::square(200, folder);
    settings.temp_folder = QDir(folder).filePath(QStringLiteral("tmp"));
    TAnimationPlayer player(owner, settings);
    player.set_records(flatten_lines(sample_lines(20 + version * 5)));
    if (workbook) {
        player.save_temp(QStringLiteral("tmp"));
    } else {
        player.save_stroke_file(QStringLiteral("6C38"),
                                QDir(folder).filePath(QStringLiteral("udefined/")));
    }
}

}  // namespace

const std::array<SaveKind, 11>& save_kinds() {
    static const std::array<SaveKind, 11> kinds = {{
        {"recent", {QStringLiteral("tmp/recent.wrt")}, true},
        {"prefer", {QStringLiteral("prefer.cfg")}, true},
        {"config", {QStringLiteral("config.dat")}, true},
        {"strokes", {QStringLiteral("練習.wrt"), QStringLiteral("練習.def")}, true},
        {"view", {QStringLiteral("view.cfg")}, false},
        {"registry", {QStringLiteral("registry.ini")}, false},
        {"custom", {QStringLiteral("udefined/6C38.wrt")}, false},
        {"workbook", {QStringLiteral("tmp/tmp.wrt")}, false},
        {"sheet", {QStringLiteral("永.jpg")}, false},
        {"gif", {QStringLiteral("永.gif")}, false},
        {"practice", {QStringLiteral("practice.log")}, false},
    }};
    return kinds;
}

void prepare_saves(const QString& kind, const QString& folder) {
    if (kind == QLatin1String("recent")) {
        QDir(folder).mkpath(QStringLiteral("tmp"));
        build_archive(folder, {archive_source(character(0), long_strokes(0)),
                               archive_source(character(1), long_strokes(1))});
    } else if (kind == QLatin1String("custom")) {
        QDir(folder).mkpath(QStringLiteral("udefined"));
    } else if (kind == QLatin1String("workbook")) {
        QDir(folder).mkpath(QStringLiteral("tmp"));
    }
}

void save_version(const QString& kind, const QString& folder, int version) {
    const QDir dir(folder);
    if (kind == QLatin1String("recent")) {
        extract_entry(gbk(character(version)) + ".wrt", archive_paths(ArchiveChoice{}, folder),
                      dir.filePath(QStringLiteral("tmp")), IndexColumn::gb);
    } else if (kind == QLatin1String("prefer")) {
        save_preference(dir.filePath(QStringLiteral("prefer.cfg")), preferences(version));
    } else if (kind == QLatin1String("config")) {
        save_sheet_slots(dir.filePath(QStringLiteral("config.dat")), sheet(version));
    } else if (kind == QLatin1String("strokes")) {
        write_strokes(sample_lines(2000 + version * 500), QStringLiteral("練習"), folder);
        write_whole_file(dir.filePath(QStringLiteral("練習.def")),
                         format_companion(companion(version)));
    } else if (kind == QLatin1String("view")) {
        save_view_settings(dir.filePath(QStringLiteral("view.cfg")), view(version));
    } else if (kind == QLatin1String("registry")) {
        const QString path = dir.filePath(QStringLiteral("registry.ini"));
        if (version == 0) {
            write_whole_file(path, other_settings);
        } else {
            record_installation_path(path, installation_path);
        }
    } else if (kind == QLatin1String("custom") || kind == QLatin1String("workbook")) {
        save_from_player(folder, version, kind == QLatin1String("workbook"));
    } else if (kind == QLatin1String("sheet")) {
        jpegsave(sheet_picture(version), dir.filePath(QStringLiteral("永.jpg")), 80);
    } else if (kind == QLatin1String("gif")) {
        save_gif(gif_bytes(version), dir.filePath(QStringLiteral("永.gif")));
    } else if (kind == QLatin1String("practice")) {
        append_practice_record(dir.filePath(QStringLiteral("practice.log")), practised(version));
    }
}

QByteArray saved_content(const QString& kind, int file, int version) {
    if (kind == QLatin1String("recent")) {
        return long_strokes(version);
    }
    if (kind == QLatin1String("prefer")) {
        return format_preference(preferences(version));
    }
    if (kind == QLatin1String("config")) {
        return format_sheet_slots(sheet(version));
    }
    if (kind == QLatin1String("view")) {
        return format_view_settings(view(version));
    }
    if (kind == QLatin1String("registry")) {
        return version == 0 ? other_settings : QByteArray();  // the second is not compared
    }
    if (kind == QLatin1String("custom") || kind == QLatin1String("workbook")) {
        return format_stroke_text(sample_lines(20 + version * 5));
    }
    if (kind == QLatin1String("sheet")) {
        return jpeg_bytes(sheet_picture(version), 80, QString());
    }
    if (kind == QLatin1String("gif")) {
        return gif_bytes(version);
    }
    if (kind == QLatin1String("practice")) {  // the lines added up to this one
        return version == 0
                   ? format_practice_record(practised(0))
                   : format_practice_record(practised(0)) + format_practice_record(practised(1));
    }
    return file == 0 ? format_stroke_text(sample_lines(2000 + version * 500))
                     : format_companion(companion(version));
}

}  // namespace inkwren::testing

#include "tests/app/save_kinds.h"

#include <QDir>

#include "app/preference_record.h"
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

}  // namespace

const std::array<SaveKind, 5>& save_kinds() {
    static const std::array<SaveKind, 5> kinds = {{
        {"recent", {QStringLiteral("tmp/recent.wrt")}},
        {"prefer", {QStringLiteral("prefer.cfg")}},
        {"config", {QStringLiteral("config.dat")}},
        {"sys", {QStringLiteral("sys.cfg")}},
        {"strokes", {QStringLiteral("練習.wrt"), QStringLiteral("練習.def")}},
    }};
    return kinds;
}

void prepare_saves(const QString& kind, const QString& folder) {
    if (kind == QLatin1String("recent")) {
        QDir(folder).mkpath(QStringLiteral("tmp"));
        build_archive(folder, {archive_source(character(0), long_strokes(0)),
                               archive_source(character(1), long_strokes(1))});
    }
}

void save_version(const QString& kind, const QString& folder, int version) {
    const QDir dir(folder);
    if (kind == QLatin1String("recent")) {
        extract_entry(gbk(character(version)) + ".wrt", dir.filePath(QStringLiteral("strokes.cdf")),
                      dir.filePath(QStringLiteral("strokes-idx.dat")),
                      dir.filePath(QStringLiteral("tmp")), IndexColumn::gb);
    } else if (kind == QLatin1String("prefer")) {
        save_preference(dir.filePath(QStringLiteral("prefer.cfg")), preferences(version));
    } else if (kind == QLatin1String("config")) {
        save_sheet_slots(dir.filePath(QStringLiteral("config.dat")), sheet(version));
    } else if (kind == QLatin1String("sys")) {
        write_whole_file(dir.filePath(QStringLiteral("sys.cfg")), saved_content(kind, 0, version));
    } else if (kind == QLatin1String("strokes")) {
        write_strokes(sample_lines(2000 + version * 500), QStringLiteral("練習"), folder);
        write_whole_file(dir.filePath(QStringLiteral("練習.def")),
                         format_companion(companion(version)));
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
    if (kind == QLatin1String("sys")) {
        return version == 0 ? QByteArray("/home/學生/桌面\r\n") : QByteArray("personal\r\n");
    }
    return file == 0 ? format_stroke_text(sample_lines(2000 + version * 500))
                     : format_companion(companion(version));
}

}  // namespace inkwren::testing

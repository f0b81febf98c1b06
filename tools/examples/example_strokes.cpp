#include "tools/examples/example_strokes.h"

#include <QDir>
#include <QTemporaryDir>

#include <optional>

#include "animation/animationplayer.h"
#include "animation/raster.h"
#include "animation/rounding.h"
#include "animation/simple_player_owner.h"
#include "platform/code_page.h"
#include "platform/error.h"
#include "platform/whole_file.h"
#include "strokes/stroke_archive.h"
#include "strokes/stroke_text.h"

namespace inkwren::tools {
namespace {

constexpr int pad_size = 200;

}  // namespace

TLineList archived_strokes(const QString& installation, const QString& character) {
    const QDir folder(installation);
    const QString archive = QString::fromLatin1(simplified_archive);
    const QString data = folder.filePath(archive);
    const QString index = folder.filePath(index_file_name(archive));
    const QByteArray key = to_code_page(character, gbk_code_page) + ".wrt";
    const std::optional<IndexMatch> match = find_in_index(index, key, IndexColumn::gb);
    if (!match) {
        throw Error(QStringLiteral("%1 is not in \"%2\".").arg(character, data));
    }
    const QByteArray text = read_entry_text(data, *match);
    return split_strokes(parse_stroke_text(text, QStringLiteral("%1 (%2)").arg(data, character),
                                           EndMarkerKind::keep_pen_up));
}

TObjList fill_seed_element(QPointF at, std::int32_t colour) {
    PointRecord seed;
    seed.x = at.x();
    seed.y = at.y();
    seed.kind = record_kind::fill_seed;
    seed.fill_color = colour;
    return {seed, end_marker(record_kind::fill_seed)};
}

TObjList flash_bar_element(const TObjList& stroke, int flashes, std::int32_t colour) {
    if (stroke.empty() || is_end_marker(stroke.front())) {
        throw Error(QStringLiteral("A flash bar needs a stroke with points."));
    }
    // The bar sits where the editor puts one, on the stroke's first point rounded.
    PointRecord bar;
    bar.x = round_even(stroke.front().x);
    bar.y = round_even(stroke.front().y);
    bar.repeat_count = flashes;
    bar.kind = record_kind::flash_bar;
    bar.fill_color = colour;
    return {bar, end_marker(record_kind::flash_bar)};
}

bool encloses(const TLineList& lines, QPoint at) {
    // The player keeps its temporary files under its start folder; this one is thrown away.
    QTemporaryDir start;
    SimplePlayerOwner owner;
    owner.pad.pen_speed = 100;
    owner.pad.grey_first = false;
    owner.pad.two_color = false;
    TAnimationPlayer player(owner, PlayerSettings::square(pad_size, start.path()));
    player.set_records(flatten_lines(lines));
    player.play();
    while (player.playing()) {
        player.play_tick();
    }
    QImage ink = player.ink_bmp();
    if (!ink.rect().contains(at) || color_at(ink, at.x(), at.y()) != white_color) {
        return false;
    }
    // Any colour but white will do to see how far a fill would run.
    flood_fill_surface(ink, at, black_color);
    return color_at(ink, 0, 0) == white_color;
}

void write_example(const TLineList& lines, const CompanionSettings& settings, const QString& name,
                   const QString& folder) {
    write_strokes(lines, name, folder);
    const QString stroke_path = path_in_folder(folder, name, QStringLiteral(".wrt"));
    write_whole_file(companion_path(stroke_path), format_companion(settings));
}

}  // namespace inkwren::tools

#include "output/stroke_order_sheet.h"

#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <utility>

#include "animation/animationplayer.h"
#include "animation/layers.h"
#include "animation/play_list.h"
#include "animation/raster.h"
#include "animation/rounding.h"
#include "output/chinese_numerals.h"
#include "output/number_font.h"
#include "output/picture_merge.h"
#include "output/polyline_pen.h"
#include "output/resampling.h"
#include "output/sheet_grid.h"
#include "output/sheet_layout.h"

namespace inkwren {
namespace {

constexpr double square_share = 0.875;
constexpr int number_gap = 5;
constexpr int group_gap = 30;
constexpr std::int32_t separator_colour = 0xC0C0C0;
constexpr double separator_share = 0.6;
constexpr double mm_per_inch = 25.4;
constexpr double points_per_inch = 72.0;

// The polyline pen on a sheet's picture: in whole pixels, or anti-aliased when smooth.
class StrokePen {
public:
    StrokePen(QImage& image, bool smooth) : painter_(&image), pen_(painter_) {
        painter_.setRenderHint(QPainter::Antialiasing, smooth);
    }

    template <typename PointOf, typename PenOf>
    bool draw(const TObjList& stroke, PointOf point_of, PenOf pen_of) {
        return draw_stroke_records(pen_, stroke, point_of, pen_of);
    }

private:
    QPainter painter_;  // outlives the pen, which draws its last run when it goes
    PolylinePen<QPolygon, int> pen_;
};

QPoint scaled_point(const PointRecord& record, double scale) {
    return {round_even(record.x * scale), round_even(record.y * scale)};
}

// Every picture draws a point as wide as the pad draws it at rest, so the brush shapes (hooks,
// tapers, swells) are the same on paper.
int stroke_width(const PointRecord& record, double scale) {
    return round_even(record.pen_width * scale);
}

struct PenChoice {
    int width;
    std::int32_t colour;
};

// One stroke in whole pixels, each point's pen as pen_for chooses; false for a flash step.
template <typename PenFor>
bool draw_stroke(StrokePen& pen, const TObjList& stroke, double scale, PenFor pen_for) {
    return pen.draw(
        stroke, [scale](const PointRecord& record) { return scaled_point(record, scale); },
        [&pen_for](const PointRecord& record) {
            const PenChoice choice = pen_for(record);
            return std::pair(choice.width, to_qcolor(choice.colour));
        });
}

// A group's records cut at their end markers; a group may start in the middle of a stroke.
std::vector<TObjList> strokes_of(const TObjList& group) {
    std::vector<TObjList> strokes(1);
    for (const PointRecord& record : group) {
        strokes.back().push_back(record);
        if (is_end_marker(record)) {
            strokes.emplace_back();
        }
    }
    return strokes;
}

QImage white_picture(QSize size) {
    return make_bitmap(size.width(), size.height());
}

// The picture on top of white rows; copied row by row, which is what painting it there does.
QImage taller(const QImage& picture, int extra) {
    QImage grown = make_bitmap(picture.width(), picture.height() + extra);
    const QImage source = to_24bit(picture);
    for (int y = 0; y < source.height(); ++y) {
        std::copy_n(source.constScanLine(y), 3 * std::size_t(source.width()), grown.scanLine(y));
    }
    return grown;
}

// Reduces a sheet's pictures one after another. A picture differs from the one before only by
// a stroke and a number, so only what they reach is resized again.
class PictureReducer {
public:
    // changed: where the picture differs from the one before, when known.
    QImage reduce(const QImage& picture, const std::optional<std::vector<QRect>>& changed) {
        if (!resizer_ || picture.size() != source_) {
            source_ = picture.size();
            resizer_.emplace(source_, reduced_size(source_));
        }
        return resizer_->resize(picture, changed);
    }

private:
    QSize source_;
    std::optional<FrameResizer> resizer_;
};

int number_x(const SheetInputs& inputs, int side, int text_width) {
    const int width = inputs.picture.width();
    switch (inputs.settings.number_align) {
        case NumberAlign::left:
            return (width - side) / 2;
        case NumberAlign::centre:
            return (width - text_width) / 2;
        default:  // right, and any unknown value
            return (width - side) / 2 + side - text_width;
    }
}

// One picture of the sheet: the frame (with the underlay when shown), the strokes, its number,
// reduced. Laid out over the sheet's picture before, which differs only where the strokes and
// the number changed.
QImage compose_picture(const SheetInputs& inputs, const QImage& frame, const QImage* strokes, int n,
                       const NumberRenderer& numbers, LayeredPicture& layout,
                       PictureReducer& reducer) {
    const QString text = number_text(inputs, n);
    const QSize text_size = numbers.measure(text);
    std::vector<LayeredPicture::Layer> layers;
    if (strokes != nullptr) {
        layers.push_back({*strokes, {0, 0}});
    }
    const int side = round_even(inputs.picture.width() * square_share);
    const int y = (inputs.picture.height() - side) / 2 + side + number_gap;
    layers.push_back({numbers.strip(text, inputs.settings.numbers_on),
                      {number_x(inputs, side, text_size.width()), y}});
    // Measured also when numbers are off, so every picture is equally tall either way.
    const QImage& picture =
        layout.compose(to_24bit(frame), frame.height() + text_size.height(), std::move(layers));
    return reducer.reduce(picture, layout.changed());
}

// The pen of a point in a picture of the given content, in the newest stroke or an earlier one.
PenChoice stroke_pen(const SheetInputs& inputs, const PointRecord& record, PictureContent content,
                     bool newest) {
    return {stroke_width(record, inputs.coord_scale),
            picture_stroke_colour(inputs.settings, record,
                                  content == PictureContent::strokes_so_far, newest)};
}

// Stroke `index` as the pictures after its own show it, added to what the earlier ones left.
void draw_earlier_stroke(const SheetInputs& inputs, QImage& earlier, int index) {
    StrokePen pen(earlier, inputs.smooth);
    draw_stroke(pen, inputs.strokes[std::size_t(index)], inputs.coord_scale,
                [&](const PointRecord& record) {
                    return stroke_pen(inputs, record, PictureContent::strokes_so_far, false);
                });
}

// Stroke j drawn as the newest over the earlier strokes (nothing for one stroke alone); a null
// picture when it holds a flash step.
QImage stroke_picture_over(const SheetInputs& inputs, const QImage& earlier, int j,
                           PictureContent content) {
    QImage picture = earlier;
    bool drawn = false;
    {
        // The pen draws its last run when it goes.
        StrokePen pen(picture, inputs.smooth);
        drawn = draw_stroke(
            pen, inputs.strokes[std::size_t(j)], inputs.coord_scale,
            [&](const PointRecord& record) { return stroke_pen(inputs, record, content, true); });
    }
    return drawn ? picture : QImage();
}

// Whether the pictures after a stroke's own show it as that picture does, so that it need not
// be drawn twice.
bool earlier_strokes_look_newest(const SheetSettings& settings, PictureContent content) {
    return content == PictureContent::strokes_so_far &&
           settings.color_mode != ColourMode::two_colours;
}

std::vector<QImage> sheet_pictures(const SheetInputs& inputs, const NumberRenderer& numbers) {
    const SheetSettings& settings = inputs.settings;
    const int side = round_even(inputs.picture.width() * square_share);
    const QImage frame = draw_ninegrids(inputs.picture, settings.grid_color, settings.grid_style,
                                        settings.grid_on, side);
    // Every picture starts from the frame with, when it shows one, the underlay merged in; the
    // underlay is drawn only for pictures that show it.
    QImage underlaid = frame;
    if (settings.underlay_on || settings.picture_content == PictureContent::underlay_only) {
        merge_bmp(underlaid, draw_underlay(inputs, settings.underlay_color), 0, 0);
    }
    // Kept from sheet to sheet: a character's first picture differs from the last one's before
    // it only where the strokes and numbers of either are.
    thread_local PictureReducer reducer;
    LayeredPicture layout;
    std::vector<QImage> pictures;
    const int count = int(inputs.strokes.size());
    if (settings.picture_content == PictureContent::underlay_only) {
        for (int n = 1; n <= count; ++n) {
            pictures.push_back(
                compose_picture(inputs, underlaid, nullptr, n, numbers, layout, reducer));
        }
        return pictures;
    }
    // Any unknown value shows the strokes so far.
    const PictureContent content = settings.picture_content == PictureContent::one_stroke
                                       ? PictureContent::one_stroke
                                       : PictureContent::strokes_so_far;
    const bool so_far = content == PictureContent::strokes_so_far;
    // Strokes so far are drawn once each onto a picture that grows with them.
    QImage earlier = white_picture(inputs.picture);
    for (int j = 0; j < count; ++j) {
        const QImage strokes = stroke_picture_over(
            inputs, so_far ? earlier : white_picture(inputs.picture), j, content);
        if (!strokes.isNull() && earlier_strokes_look_newest(settings, content)) {
            earlier = strokes;
        } else if (so_far && j + 1 < count) {  // no picture comes after the last stroke's
            draw_earlier_stroke(inputs, earlier, j);
        }
        if (strokes.isNull()) {
            continue;  // numbers count pictures, not strokes
        }
        pictures.push_back(compose_picture(inputs, settings.underlay_on ? underlaid : frame,
                                           &strokes, int(pictures.size()) + 1, numbers, layout,
                                           reducer));
    }
    return pictures;
}

// The strokes cut wherever, from the second stroke on, the pen colour of a point differs from
// the point before it.
std::vector<TObjList> colour_groups(const SheetInputs& inputs) {
    std::vector<TObjList> groups(1);
    std::optional<std::int32_t> previous;
    for (std::size_t index = 0; index < inputs.strokes.size(); ++index) {
        for (const PointRecord& record : inputs.strokes[index]) {
            if (is_end_marker(record)) {
                groups.back().push_back(record);
                continue;
            }
            if (index > 0 && previous && record.pen_color != *previous) {
                if (!groups.back().empty() && !is_end_marker(groups.back().back())) {
                    groups.back().push_back(end_marker(record_kind::pen_point));
                }
                groups.emplace_back();
            }
            previous = record.pen_color;
            groups.back().push_back(record);
        }
    }
    return groups;
}

}  // namespace

SheetInputs sheet_inputs(const TAnimationPlayer& player, const SheetSettings& settings,
                         const QString& number_prefix, const QString& number_suffix) {
    SheetInputs inputs;
    inputs.settings = settings;
    inputs.picture = player.pad_size();
    inputs.strokes = export_strokes(player.records());
    inputs.coord_scale = player.settings().scale;
    inputs.number_prefix = number_prefix;
    inputs.number_suffix = number_suffix;
    inputs.smooth = player.smooth();
    return inputs;
}

TLines export_strokes(const TObjList& records) {
    PlayListOptions options;
    options.expand_flash = false;
    return stroke_play_lists(records, options);
}

std::int32_t picture_stroke_colour(const SheetSettings& settings, const PointRecord& record,
                                   bool so_far, bool newest) {
    switch (settings.color_mode) {
        case ColourMode::own_colours:
            return record.pen_color;
        case ColourMode::two_colours:
            if (so_far) {
                return newest ? settings.second_color : settings.main_color;
            }
            return black_color;
        default:  // black, and any unknown value
            return black_color;
    }
}

int sheet_dots_per_inch(QSize picture) {
    const double printed_side = round_even(picture.width() * square_share) * sheet_picture_scale;
    return int(std::lround(printed_side * mm_per_inch / printed_square_mm));
}

int smallest_number_pixels(QSize picture) {
    const double printed_pixels =
        smallest_printed_number_pt / points_per_inch * sheet_dots_per_inch(picture);
    return int(std::ceil(printed_pixels / sheet_picture_scale));
}

QFont sheet_number_font(const SheetInputs& inputs) {
    // Choosing the face asks the font database each time; a batch of sheets asks for the same
    // font over and over, so each thread keeps the last one it chose.
    struct Chosen {
        QByteArray name;
        std::int32_t size;
        std::int32_t style;
        NumeralKind numerals;
        QSize picture;
        QFont font;
    };
    thread_local std::optional<Chosen> last;
    const SheetSettings& settings = inputs.settings;
    if (!last || last->name != settings.font_name || last->size != settings.font_size ||
        last->style != settings.font_style || last->numerals != settings.numeral_kind ||
        last->picture != inputs.picture) {
        last =
            Chosen{settings.font_name,
                   settings.font_size,
                   settings.font_style,
                   settings.numeral_kind,
                   inputs.picture,
                   at_least_pixels(number_font(settings), smallest_number_pixels(inputs.picture))};
    }
    return last->font;
}

QString number_text(const SheetInputs& inputs, int n) {
    // Unknown values write Chinese numerals, alone.
    QString text = inputs.settings.numeral_kind == NumeralKind::arabic
                       ? QStringLiteral(" %1 ").arg(n)
                       : chinese_numeral(n);
    if (inputs.settings.number_style == NumberStyle::labelled) {
        text = inputs.number_prefix + text + inputs.number_suffix;
    }
    return text;
}

QImage draw_stroke_picture(const SheetInputs& inputs, int j, PictureContent content) {
    QImage earlier = white_picture(inputs.picture);
    if (content == PictureContent::strokes_so_far) {
        for (int index = 0; index < j; ++index) {
            draw_earlier_stroke(inputs, earlier, index);
        }
    }
    return stroke_picture_over(inputs, earlier, j, content);
}

QImage draw_underlay(const SheetInputs& inputs, std::int32_t colour) {
    QImage picture = white_picture(inputs.picture);
    {
        StrokePen pen(picture, inputs.smooth);
        for (const TObjList& stroke : inputs.strokes) {
            draw_stroke(pen, stroke, inputs.coord_scale, [&](const PointRecord& record) {
                return PenChoice{stroke_width(record, inputs.coord_scale), colour};
            });
        }
    }
    return picture;
}

ColourGroups draw_components(const SheetInputs& inputs) {
    // The strokes in black, a picture for each colour group.
    const std::vector<TObjList> groups = colour_groups(inputs);
    const int height = inputs.picture.height();
    const int separator_length = round_even(height * separator_share);
    std::vector<InkCrop> cuts;
    for (const TObjList& group : groups) {
        QImage picture = white_picture(inputs.picture);
        {
            StrokePen pen(picture, inputs.smooth);
            for (const TObjList& stroke : strokes_of(group)) {
                draw_stroke(pen, stroke, inputs.coord_scale, [&](const PointRecord& record) {
                    return PenChoice{stroke_width(record, inputs.coord_scale), black_color};
                });
            }
        }
        // A group that leaves no ink has nothing to show.
        if (std::optional<InkCrop> cut = crop_to_ink(picture)) {
            cuts.push_back(std::move(*cut));
        }
    }
    int width = 0;
    for (const InkCrop& cut : cuts) {
        width += cut.picture.width() + group_gap;
    }
    QImage result = make_bitmap(std::max(width, 1), height);
    {
        QPainter painter(&result);
        painter.setPen(QPen(to_qcolor(separator_colour), 1));
        int right = 0;
        for (std::size_t index = 0; index < cuts.size(); ++index) {
            const InkCrop& cut = cuts[index];
            right += cut.picture.width() + group_gap;
            if (index + 1 < cuts.size()) {
                const int top = (height - separator_length) / 2;
                painter.drawLine(right - group_gap / 2, top, right - group_gap / 2,
                                 top + separator_length);
            }
            painter.drawImage(right - cut.picture.width() - group_gap, cut.box.top(), cut.picture);
        }
    }
    ColourGroups answer;
    answer.count = int(cuts.size());
    if (std::optional<InkCrop> whole = crop_to_ink(result)) {
        answer.picture = whole->picture;
    }
    return answer;
}

std::optional<StrokeOrderSheet> make_sheet(const SheetInputs& inputs,
                                           const NumberRenderer& numbers) {
    std::vector<QImage> pictures = sheet_pictures(inputs, numbers);
    if (pictures.empty()) {
        return std::nullopt;
    }
    const QSize picture_size = pictures.back().size();
    // A character of one colour shows no groups, and its strokes need not be drawn to say so.
    const ColourGroups groups =
        colour_groups(inputs).size() >= 2 ? draw_components(inputs) : ColourGroups{};
    QImage group_picture;
    if (groups.count >= 2 && !groups.picture.isNull()) {
        group_picture = resized_picture(groups.picture, reduced_size(groups.picture.size()));
    }
    const Placement placement =
        place_pictures(int(pictures.size()), picture_size,
                       pictures_per_row.clamped(inputs.settings.per_row), group_picture.size());
    StrokeOrderSheet sheet;
    sheet.sheet = make_bitmap(placement.sheet.width(), placement.sheet.height());
    {
        QPainter painter(&sheet.sheet);
        for (std::size_t index = 0; index < pictures.size(); ++index) {
            painter.drawImage(placement.pictures[index], pictures[index]);
        }
        if (!group_picture.isNull()) {
            painter.drawImage(placement.groups, group_picture);
        }
    }
    if (!inputs.note.isEmpty()) {
        sheet.sheet = with_note(sheet.sheet, inputs.note, numbers);
    }
    if (!inputs.info_line.isEmpty()) {
        // A long meaning may widen the sheet to a full row of pictures, no further.
        const int widest =
            std::max(sheet.sheet.width(),
                     pictures_per_row.clamped(inputs.settings.per_row) * picture_size.width());
        sheet.sheet =
            with_note(sheet.sheet, fitted_line(inputs.info_line, widest, numbers), numbers);
    }
    const int dots_per_metre =
        int(std::lround(sheet_dots_per_inch(inputs.picture) * 1000 / mm_per_inch));
    sheet.sheet.setDotsPerMeterX(dots_per_metre);
    sheet.sheet.setDotsPerMeterY(dots_per_metre);
    sheet.pictures = std::move(pictures);
    sheet.picture_size = picture_size;
    sheet.group_count = groups.count;
    return sheet;
}

QImage sheet_with_animation_band(const StrokeOrderSheet& sheet) {
    return taller(sheet.sheet, sheet.picture_size.height() + sheet_row_gap);
}

}  // namespace inkwren

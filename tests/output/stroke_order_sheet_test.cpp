#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "animation/raster.h"
#include "output/number_font.h"
#include "output/stroke_order_sheet.h"
#include "tests/support/player_fixture.h"

namespace inkwren {
namespace {

// Numbers of a known size: ten pixels a character, twenty high, drawn as a black block.
class BlockNumbers : public NumberRenderer {
public:
    mutable QStringList drawn;

    QSize measure(const QString& text) const override { return {10 * int(text.size()), 20}; }
    QImage strip(const QString& text, bool with_text) const override {
        const QSize size = measure(text);
        QImage picture =
            make_bitmap(size.width(), size.height(), with_text ? black_color : white_color);
        if (with_text) {
            drawn << text;
        }
        return picture;
    }
};

// The leftmost and rightmost columns with ink in rows from top to bottom (the end by default).
std::pair<int, int> ink_columns(const QImage& picture, int top, int bottom = -1) {
    std::pair<int, int> columns{picture.width(), -1};
    for (int y = top; y < (bottom < 0 ? picture.height() : bottom); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (color_at(picture, x, y) != white_color) {
                columns = {std::min(columns.first, x), std::max(columns.second, x)};
            }
        }
    }
    return columns;
}

class SheetTest : public ::testing::Test {
protected:
    // Horizontal strokes down the pad; the second half in the other colour when one is given.
    SheetInputs inputs(int count, std::optional<std::int32_t> second_colour = std::nullopt) {
        TObjList records;
        for (int index = 0; index < count; ++index) {
            const std::int32_t colour = second_colour && index >= count / 2 ? *second_colour : 0;
            const double y = 30 + 140.0 * index / std::max(count, 1);
            const TObjList stroke = testing::stroke({{40, y}, {160, y}}, colour);
            records.insert(records.end(), stroke.begin(), stroke.end());
        }
        SheetInputs made;
        made.strokes = export_strokes(records);
        made.number_prefix = QStringLiteral("第");
        made.number_suffix = QStringLiteral("劃");
        return made;
    }

    StrokeOrderSheet sheet(const SheetInputs& given) {
        std::optional<StrokeOrderSheet> made = make_sheet(given, numbers);
        EXPECT_TRUE(made);
        return made ? *made : StrokeOrderSheet{};
    }

    BlockNumbers numbers;
};

// Pictures are the pad, 200 × (200 + 20) with the number under the square, reduced to 40 %,
// whether or not the numbers are on. A short first row is one picture wider than its pictures;
// rows after the first add the row gap; pictures per row outside 1 to 15 take the nearest bound.
TEST_F(SheetTest, SheetsHoldTheirPicturesInRowsNumberedOnTheSquaresEdgeOrCentre) {
    const struct {
        int strokes;
        int per_row;
        QSize sheet;
    } cases[] = {{3, 8, {4 * 80, 88}},          {8, 8, {8 * 80, 88}},
                 {9, 8, {8 * 80, 2 * 88 + 15}}, {5, 2, {2 * 80, 3 * 88 + 2 * 15}},
                 {3, 0, {80, 3 * 88 + 2 * 15}}, {20, 99, {15 * 80, 2 * 88 + 15}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.strokes);
        SheetInputs given = inputs(c.strokes);
        given.settings.per_row = c.per_row;
        given.settings.numbers_on = c.strokes != 3;
        const StrokeOrderSheet made = sheet(given);
        EXPECT_EQ(made.pictures.size(), std::size_t(c.strokes));
        EXPECT_EQ(made.sheet.size(), c.sheet);
        // The shown sheet has a band for the animation.
        EXPECT_EQ(sheet_with_animation_band(made).height(), made.sheet.height() + 88 + 15);
    }
    EXPECT_EQ(numbers.drawn.size(), 8 + 9 + 5 + 20);
    EXPECT_FALSE(make_sheet(inputs(0), numbers));
    // The square runs from 12 to 187 on a 200-pixel pad; "第 1 劃" in Arabic is 50 wide.
    const auto number_columns = [&](NumberAlign align) {
        SheetInputs given = inputs(1);
        given.settings.numeral_kind = NumeralKind::arabic;
        given.settings.number_align = align;
        given.settings.grid_on = false;
        given.settings.underlay_on = false;
        const QImage picture = sheet(given).pictures.front();
        return ink_columns(picture, picture.height() - 4, picture.height() - 3);
    };
    EXPECT_NEAR(number_columns(NumberAlign::left).first, 12 * 0.4, 1.5);
    EXPECT_NEAR(number_columns(NumberAlign::right).second, 187 * 0.4, 1.5);
    const auto centre = number_columns(NumberAlign::centre);
    EXPECT_NEAR((centre.first + centre.second) / 2.0, 40, 1.5);
    SheetInputs given = inputs(1);
    given.settings.numeral_kind = NumeralKind::arabic;
    EXPECT_EQ(number_text(given, 12), QStringLiteral("第 12 劃"));
    given.settings.number_style = NumberStyle::number_alone;
    EXPECT_EQ(number_text(given, 12), QStringLiteral(" 12 "));
}

// Lines under the sheet change nothing above them; a long meaning widens the sheet to a full
// row of pictures and is cut there.
TEST_F(SheetTest, TheInfoLineGoesUnderTheNoteCutAtAFullRow) {
    SheetInputs given = inputs(3);
    const QImage plain = sheet(given).sheet;
    given.note = QStringLiteral("大陸字形");
    given.info_line = QStringLiteral("yǒng ㄩㄥˇ  long, perpetual, eternal, forever");
    const QImage lined = sheet(given).sheet;
    EXPECT_EQ(lined.size(), QSize(plain.width(), plain.height() + 2 * (8 + 2 * 4)));
    EXPECT_EQ(lined.copy(plain.rect()), plain);
    EXPECT_EQ(numbers.drawn.mid(numbers.drawn.size() - 2),
              (QStringList{given.note, given.info_line}));

    given.info_line = QStringLiteral("yǒng  ") + QStringLiteral("long, eternal; ").repeated(20);
    EXPECT_LE(sheet(given).sheet.width(), 8 * 80);
    EXPECT_GT(sheet(given).sheet.width(), 7 * 80);
    EXPECT_TRUE(numbers.drawn.back().endsWith(u'…'));
    EXPECT_TRUE(numbers.drawn.back().startsWith(QStringLiteral("yǒng  long, eternal;")));
}

// One colour makes no group row. Underlay content numbers every stroke and shows the faint
// character whatever the underlay switch says.
TEST_F(SheetTest, TwoColourGroupsCloseTheSheetAndPicturesDrawTheNewestStrokeInTheSecond) {
    SheetInputs one_colour = inputs(4);
    one_colour.settings.color_mode = ColourMode::own_colours;
    one_colour.settings.picture_content = PictureContent::underlay_only;
    one_colour.settings.underlay_on = false;
    const StrokeOrderSheet underlay = sheet(one_colour);
    EXPECT_EQ(underlay.sheet.height(), 88);
    EXPECT_EQ(underlay.pictures.size(), 4u);
    EXPECT_EQ(numbers.drawn.size(), 4);
    EXPECT_NE(color_at(underlay.pictures[0], 40, 12), white_color);

    SheetInputs two_colours = inputs(4, 0x0000FF);
    two_colours.settings.color_mode = ColourMode::own_colours;
    const StrokeOrderSheet made = sheet(two_colours);
    ASSERT_GT(made.sheet.height(), 88 + 15);
    // The group picture's ink ends ten pixels from the right edge, below the pictures' row.
    EXPECT_NEAR(ink_columns(made.sheet, 88 + 15).second, made.sheet.width() - 11, 1);
    // In two-colour pictures the newest stroke is in the second colour.
    SheetInputs given = inputs(2);
    given.settings.color_mode = ColourMode::two_colours;
    given.settings.main_color = 0x000000;
    given.settings.second_color = 0xFF0000;
    const QImage second = draw_stroke_picture(given, 1, PictureContent::strokes_so_far);
    EXPECT_EQ(color_at(second, 100, 30), 0x000000);
    EXPECT_EQ(color_at(second, 100, 100), 0xFF0000);
    // One stroke alone is black.
    const QImage alone = draw_stroke_picture(given, 1, PictureContent::one_stroke);
    EXPECT_EQ(color_at(alone, 100, 100), 0x000000);
    EXPECT_EQ(color_at(alone, 100, 30), white_color);
}

// A brush stroke keeps its width in every picture, not only in the strokes so far.
TEST_F(SheetTest, EveryPictureDrawsTheStrokesAsWideAsTheirBrush) {
    SheetInputs given = inputs(1);
    for (PointRecord& record : given.strokes.front()) {
        record.pen_width = 8;
    }
    given.coord_scale = 2.0;
    for (const QImage& picture : {draw_underlay(given, 0xC0C0C0), draw_components(given).picture,
                                  draw_stroke_picture(given, 0, PictureContent::one_stroke)}) {
        // The ink down the middle column.
        const QImage column = picture.copy(picture.width() / 2, 0, 1, picture.height());
        EXPECT_NEAR(picture.height() - testing::count_of(column, white_color), 16, 1);
    }
}

// At the resolution a sheet states, its squares print 18 mm wide and its numbers at least 9 pt
// high, whatever the pad's size; a larger chosen font stays as chosen.
TEST_F(SheetTest, SheetsStateAResolutionPrintingEighteenMillimetreSquaresAndNinePointNumbers) {
    for (const int pad : {200, 337, 650}) {
        const int dpi = sheet_dots_per_inch({pad, pad});
        EXPECT_NEAR(std::round(pad * 0.875) * 0.4 / dpi * 25.4, 18.0, 0.1) << pad;
        const double number_pt = smallest_number_pixels({pad, pad}) * 0.4 / dpi * 72;
        EXPECT_TRUE(number_pt >= 9.0 && number_pt < 9.2) << pad;
    }
    EXPECT_EQ(std::lround(sheet(inputs(2)).sheet.dotsPerMeterX() * 0.0254), 99);
    QFont font(QString::fromLatin1(fallback_number_family));
    font.setPointSize(8);
    EXPECT_EQ(at_least_pixels(font, 31).pixelSize(), 31);
    font.setPointSize(40);
    EXPECT_EQ(at_least_pixels(font, 31).pointSize(), 40);
}

// A face without Chinese falls back to the installed Ming face for Chinese numerals; Arabic
// ones keep an installed face, with the Ming face behind it for the text around them.
TEST(NumberFont, AFaceWithoutChineseFallsBackToTheInstalledMingFaceForChineseNumerals) {
    const QString ming = QString::fromLatin1(fallback_number_family);
    const std::tuple<const char*, NumeralKind, QStringList> cases[] = {
        {"DejaVu Sans", NumeralKind::chinese, {ming}},
        {"DejaVu Sans", NumeralKind::arabic, {QStringLiteral("DejaVu Sans"), ming}},
        {"No Such Face", NumeralKind::arabic, {ming}}};
    SheetSettings settings;
    for (const auto& [face, kind, families] : cases) {
        settings.font_name = face;
        settings.numeral_kind = kind;
        EXPECT_EQ(number_font(settings).families(), families) << face;
    }
    settings.font_name = "AR PL UKai TW";
    settings.font_size = 20;
    settings.font_style = 1 | 2 | 4 | 8;
    const QFont font = number_font(settings);
    EXPECT_EQ(font.family(), QStringLiteral("AR PL UKai TW"));
    EXPECT_EQ(font.pointSize(), 20);
    EXPECT_TRUE(font.bold() && font.italic() && font.underline() && font.strikeOut());
    const FontNumberRenderer renderer(number_font(SheetSettings()));
    const QImage strip = renderer.strip(QStringLiteral("第三劃"), true);
    EXPECT_GT(strip.width() * strip.height() - testing::count_of(strip, white_color), 30);
}

}  // namespace
}  // namespace inkwren

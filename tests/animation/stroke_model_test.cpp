#include <gtest/gtest.h>

#include "animation/animationplayer.h"
#include "animation/lesson.h"
#include "animation/play_list.h"
#include "animation/simple_player_owner.h"
#include "animation/stroke_model.h"
#include "animation/stroke_numbers.h"
#include "tests/support/fixtures.h"

namespace inkwren {
namespace {

using testing::point;

// Elements by letter: p a pen stroke, c a curve, l a pen stroke closed by a pen-up marker,
// f a fill seed, b a flash bar, m a lone move point.
TObjList element(char letter, int at) {
    const double y = 20 + 10 * at;
    switch (letter) {
        case 'c':
            return {point(20, y, record_kind::bezier_control),
                    point(50, y + 5, record_kind::bezier_control),
                    point(80, y, record_kind::bezier_control),
                    end_marker(record_kind::bezier_control)};
        case 'l':
            return {point(20, y), point(80, y), end_marker(record_kind::pen_up)};
        case 'f':
            return {point(150, y, record_kind::fill_seed), end_marker(record_kind::fill_seed)};
        case 'b':
            return {point(150, y, record_kind::flash_bar), end_marker(record_kind::flash_bar)};
        case 'm':
            return {point(150, y, record_kind::move_point), end_marker(record_kind::move_point)};
        default:
            return {point(20, y), point(80, y), end_marker(record_kind::pen_point)};
    }
}

TLineList lines_of(const std::string& letters) {
    TLineList lines;
    for (std::size_t at = 0; at < letters.size(); ++at) {
        add_line(lines, element(letters[at], int(at)));
    }
    return lines;
}

struct Grouping {
    std::string elements;
    std::vector<std::array<int, 3>> strokes;  // first, ink and end element of each stroke
};

TEST(StrokeModel, MarksComeWithTheStrokeBeforeThemAndAPenLiftGoesOnWithItsStroke) {
    const Grouping cases[] = {
        {"", {}},
        {"fbm", {}},
        {"pc", {{0, 0, 1}, {1, 1, 2}}},
        {"fpp", {{0, 1, 2}, {2, 2, 3}}},    // leading marks come with the first stroke
        {"pfbpm", {{0, 0, 3}, {3, 3, 5}}},  // later marks with the stroke before them
        {"lpp", {{0, 0, 2}, {2, 2, 3}}},    // a pen lift goes on into the next element
        {"lfp", {{0, 0, 2}, {2, 2, 3}}},    // even when that is a mark
        {"pl", {{0, 0, 1}, {1, 1, 2}}},     // a last lift has nothing to go on into
    };
    for (const Grouping& each : cases) {
        const CharacterStrokes strokes(lines_of(each.elements));
        ASSERT_EQ(strokes.count(), int(each.strokes.size())) << each.elements;
        for (int index = 0; index < strokes.count(); ++index) {
            const Stroke& stroke = strokes[index];
            EXPECT_EQ((std::array{stroke.first_element, stroke.ink_element, stroke.end_element}),
                      each.strokes[std::size_t(index)])
                << each.elements << " stroke " << index + 1;
        }
        EXPECT_EQ(strokes.elements_of_first(strokes.count()),
                  strokes.count() == 0 ? 0 : int(each.elements.size()));
    }
    EXPECT_EQ(CharacterStrokes(lines_of("cp"))[0].kind, ElementKind::curve);
}

// A step once showed a stroke with no number of its own: stepping counted the element after a
// pen lift as a stroke of its own where the numbers and playback went on with the lifted one.
TEST(StrokeModel, StepsNumbersAndPlaybackCountAPenLiftedStrokeAsOne) {
    const TLineList lines = lines_of("plpfp");
    ASSERT_EQ(CharacterStrokes(lines).count(), 3);
    EXPECT_EQ(stroke_starts(lines).size(), 3u);
    const PlayList list = make_stroke_play_list(flatten_lines(lines), {});
    EXPECT_EQ(list.strokes_begun(int(list.records.size())), 3);
    EXPECT_EQ(list.strokes_begun(0), 0);
    EXPECT_EQ(list.strokes_begun(1), 1);
    // Laid end to end, the strokes' lists are the whole play list.
    EXPECT_EQ(list.records, make_play_list(flatten_lines(lines), {}));

    testing::TempFolder folder;
    SimplePlayerOwner owner;
    TAnimationPlayer player(owner, PlayerSettings::square(200, folder.path()));
    player.lines() = lines;
    int steps = 0;
    step_strokes(player, StrokeStep::none);
    for (QImage shown = player.image();; ++steps) {
        step_strokes(player, StrokeStep::next);
        if (player.image() == shown) {
            break;
        }
        shown = player.image();
    }
    EXPECT_EQ(steps, 3);
}

}  // namespace
}  // namespace inkwren

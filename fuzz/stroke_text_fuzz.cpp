// Stroke text as stroke files, archive entries and custom characters hold it: read, turned into
// the play list (curves and polylines expanded, flash bars into flash steps) and played to the
// end on a small pad, fill seeds and all.
#include "animation/animationplayer.h"
#include "animation/play_list.h"
#include "animation/simple_player_owner.h"
#include "fuzz/fuzz_support.h"
#include "platform/error.h"
#include "strokes/stroke_text.h"

using namespace inkwren;

namespace {

// Enough ticks at full pen speed for any stroke on a pad this size; a longer play list is cut.
constexpr int max_ticks = 3000;

void play(const TObjList& records, bool two_color) {
    SimplePlayerOwner owner;
    owner.pad.pen_speed = 100;
    owner.pad.two_color = two_color;
    owner.pad.grey_first = two_color;
    TAnimationPlayer player(owner, PlayerSettings::square(100, fuzz::scratch()));
    player.set_records(records);
    player.show_static();
    player.play();
    for (int tick = 0; tick < max_ticks && player.playing(); ++tick) {
        player.play_tick();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::start_gui();
    try {
        const TObjList records = parse_stroke_text(
            fuzz::bytes_of(data, size), QStringLiteral("筆.wrt"), EndMarkerKind::keep_pen_up);
        for (const bool two_color : {false, true}) {
            PlayListOptions options;
            options.two_color = two_color;
            make_play_list(records, options);
        }
        play(records, false);
        play(records, true);
    } catch (const Error&) {
    }
    return 0;
}

// A player on a 200-pixel pad in a temporary folder, and the stroke builders the player tests
// share.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "animation/animationplayer.h"
#include "animation/simple_player_owner.h"
#include "tests/support/fixtures.h"

namespace inkwren::testing {

// A stroke of 4-pixel pen points in the colour through the points, closed by an end marker.
inline TObjList stroke(std::initializer_list<QPointF> points, std::int32_t colour = 0x0000FF) {
    TObjList records;
    for (const QPointF& at : points) {
        records.push_back(point(at.x(), at.y()));
        records.back().pen_color = colour;
    }
    records.push_back(end_marker(record_kind::pen_point));
    return records;
}

// A fill seed flooding in the colour.
inline PointRecord seed(double x, double y, std::int32_t fill) {
    PointRecord record = point(x, y, record_kind::fill_seed);
    record.fill_color = fill;
    return record;
}

inline TLineList lines_of(std::vector<TObjList> elements) {
    TLineList lines;
    lines.items = std::move(elements);
    return lines;
}

// Ticks until playback ends; answers the number of ticks.
inline int run_to_end(TAnimationPlayer& player) {
    int ticks = 0;
    for (; player.playing() && ticks < 100000; ++ticks) {
        player.play_tick();
    }
    return ticks;
}

// The owner's display switches start off (one colour, no grey underlay) so that pictures show
// the strokes alone.
class PlayerTest : public ::testing::Test {
protected:
    PlayerTest() {
        owner.pad.two_color = false;
        owner.pad.grey_first = false;
    }

    // A new player, which takes the owner's switches as they are now.
    std::unique_ptr<TAnimationPlayer> make_player(int side = 200) {
        return std::make_unique<TAnimationPlayer>(owner,
                                                  PlayerSettings::square(side, folder.path()));
    }

    void remake() { player = make_player(); }

    TempFolder folder;
    SimplePlayerOwner owner;
    std::unique_ptr<TAnimationPlayer> player;
};

}  // namespace inkwren::testing

// Turning a character's records into the list the player plays: curves and polylines become
// dense one-pixel pen points, flash bars become flash steps, and pen-up markers are folded into
// the point that follows them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "animation/beziers.h"
#include "strokes/linelist.h"

namespace inkwren {

struct PlayListOptions {
    bool expand_flash = true;
    bool two_color = false;
    std::int32_t hilite_color = 0xFF0000;
    std::int32_t done_color = 0x000000;
    int flash_count = 3;  // the owner's flash count: the last flash of a bar ends in its own marker
    int step_len = 1;
};

// One pass over a source list. Throws Error when the list would grow beyond max_play_list_size.
TObjList build_play_list(const TObjList& source, const PlayListOptions& options);

// Every pen-up record before the last gives its kind to the record after it and is removed.
void collapse_pen_ups(TObjList& list);

// A character's play list, and where each of its strokes begins in it.
struct PlayList {
    TObjList records;
    std::vector<int> stroke_begins;  // the index of each stroke's first record, in order

    // How many strokes the pen has begun before index play_pos.
    int strokes_begun(int play_pos) const;
};

// The play list of each stroke of the records (as CharacterStrokes counts them), each made on
// its own by both passes: build, fold the pen-ups, build again, so that curve points are
// densified too. Laid end to end they are the play list of the whole records. Throws Error
// when they would grow beyond max_play_list_size.
std::vector<TObjList> stroke_play_lists(const TObjList& records, const PlayListOptions& options);

PlayList make_stroke_play_list(const TObjList& records, const PlayListOptions& options);
TObjList make_play_list(const TObjList& records, const PlayListOptions& options);

// A point the pen draws to, as opposed to a marker, a fill seed or a pen lift.
bool is_drawn_point(const PointRecord& record);

// The stroke that ends just before index: the records of the last drawn stroke before it, up
// to its last point, then the record at index − 1.
TObjList last_stroke(const TObjList& list, int index);

}  // namespace inkwren

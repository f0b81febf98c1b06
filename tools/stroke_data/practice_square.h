// Whether a character's ink stays inside the practice square of the nine-grid, the square the
// learner writes in and the stroke-order sheet frames.
#pragma once

#include <QImage>

#include <optional>

namespace inkwren::tools {

// The pixels between the square's frame lines on a pad of this side.
struct SquareInside {
    int first = 0;  // the first pixel column (and row) inside
    int last = 0;   // the last one
};
SquareInside practice_square(int pad_side);

// How many pixels the ink of a pad-sized picture (anything not white) keeps from the square's
// frame at its nearest: 0 when it touches the frame line from inside, negative when it crosses
// it. Nothing for a picture without ink.
std::optional<int> margin_inside_square(const QImage& picture);

}  // namespace inkwren::tools

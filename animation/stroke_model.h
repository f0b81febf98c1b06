// What a learner counts as one stroke of a character, worked out once from the elements of its
// line list: stepping, numbering, playing, the sheets and the editor's marks all count with it.
//
// The rules:
// - An element is written when it puts ink down: it holds a pen point or a curve's control
//   point. Fill seeds, flash bars and bare move points are marks, not strokes.
// - An element closed by a pen-up marker goes on into the next element, whatever that holds, as
//   one stroke. Playback folds the marker into the next element's first point and moves the pen
//   there without ending the stroke, so the learner sees one stroke written in one go, with one
//   pause after it; the numbers and the steps count it the same way, or a step would show a
//   stroke with no number of its own.
// - A mark comes with the stroke before it (a fill fills, a flash bar flashes, what was just
//   written); marks ahead of the first stroke come with the first.
#pragma once

#include <vector>

#include "strokes/linelist.h"

namespace inkwren {

enum class ElementKind {
    pen,    // a polyline of pen points
    curve,  // a Bezier curve's control points
    fill,   // a flood fill seed
    flash,  // a flash bar
    other,  // move points alone, or nothing
};

ElementKind element_kind(const TObjList& element);

// Whether the element puts ink on the pad at rest, as a pen stroke or a curve does.
bool is_written(ElementKind kind);

struct Stroke {
    int number = 0;                       // 1 for the stroke written first
    ElementKind kind = ElementKind::pen;  // of its first written element
    int first_element = 0;  // where its elements begin in the line list, leading marks included
    int ink_element = 0;    // its first written element: where the pen sets down
    int end_element = 0;    // one past its last element, the marks that come with it included
};

// The strokes of a character in writing order. Elements before the first stroke belong to it;
// a character without a written element has no strokes.
class CharacterStrokes {
public:
    explicit CharacterStrokes(const TLineList& lines);

    int count() const { return int(strokes_.size()); }
    const std::vector<Stroke>& strokes() const { return strokes_; }
    const Stroke& operator[](int index) const { return strokes_[std::size_t(index)]; }

    // How many elements the first n strokes take, their marks included (n is clamped to
    // 0..count()): none for none, every element for all of them.
    int elements_of_first(int n) const;

private:
    int elements_ = 0;
    std::vector<Stroke> strokes_;
};

}  // namespace inkwren

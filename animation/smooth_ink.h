// The anti-aliased twin of a layer the player draws on. The 24-bit layers keep their
// all-or-nothing pixels (fills and the editor work on them); the twin gets the same pen lines
// with each pixel covered by the share of it the line's shape covers, and is what the pad shows
// when its ink is smooth. Premultiplied ARGB, transparent where nothing is drawn.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <cstdint>
#include <initializer_list>

namespace inkwren {

class SmoothInk {
public:
    SmoothInk() = default;
    explicit SmoothInk(QSize size);

    bool is_null() const { return image_.isNull(); }
    const QImage& image() const { return image_; }

    // A line with round ends of the pen's width, the shape the canvas fills for it. Within one
    // colour the lines of a stroke join into one shape; a line of another colour goes over what
    // is there, and white wipes it away, as white is empty on the layers.
    void line(QPoint from, QPoint to, int width, std::int32_t colour);

    // How pixels drawn all-or-nothing (fills, marks, pictures) come in: a fill of empty pixels
    // goes under the smooth edges already there, anything else covers them.
    enum class Hard { cover, under };
    // Takes the pixels of the area that differ between the layer before a drawing (a copy of
    // just the area) and after it.
    void take_changes(const QImage& area_before, const QImage& after, QRect area, Hard mode);

    // Lays another twin of the same size over this one: where its pixel covers at least as
    // much as the one here it replaces it, so a stroke drawn again in another colour takes that
    // colour whole, edges and all.
    void overlay(const SmoothInk& newer);

    // Lays a stroke written apart over this twin, what it holds of one colour turned to another
    // (a two-colour stroke finished), and clears the stroke's twin.
    void settle(SmoothInk& stroke, std::int32_t from, std::int32_t to);
    // Makes everything drawn transparent again.
    void clear();
    // Gives the twin pixels of its own now, if it still shares a blank image, rather than at
    // its first drawing.
    void own_pixels() { image_.bits(); }

    // The area changed since the last call; a new twin is changed all over.
    QRect take_changed();
    // The area anything was ever drawn in.
    QRect drawn() const { return drawn_; }

private:
    void touch(QRect area);
    template <typename Combine>
    void take_drawn(const SmoothInk& other, Combine combine);

    QImage image_;
    QRect changed_;
    QRect drawn_;
};

// Lays the twin's pixels of the area over a 24-bit picture of the same size.
void lay_over(QImage& picture, const SmoothInk& ink, QRect area);

// Brings an area of what is shown up to date: the background's pixels with the twins over them,
// in order.
void show_area(QImage& shown, const QImage& background,
               std::initializer_list<const SmoothInk*> inks, QRect area);

// A picture with all-or-nothing edges (a model character) with the steps of its edges softened:
// each pixel that differs from a neighbour becomes a weighted mean of its neighbourhood, so the
// shapes stay where they are. 24-bit in, 24-bit out.
QImage soften_edges(const QImage& picture);

}  // namespace inkwren

// The stroke a two-colour playback is writing: its lines are drawn once, on a layer of their
// own, and laid on the ink in the highlight colour as they come and in the finished colour when
// the stroke ends, so that ending a long stroke costs no second drawing of it.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>

#include <cstdint>
#include <optional>

#include "animation/raster.h"

namespace inkwren {

class StrokeLayer {
public:
    StrokeLayer() = default;
    StrokeLayer(const StrokeLayer&) = delete;
    StrokeLayer& operator=(const StrokeLayer&) = delete;

    // A blank layer of the size, made before a playback so that no tick pays for it; release
    // gives its memory back when the playback is over.
    void prepare(QSize size);
    void release();

    // A stroke begins with its record at first_index, at start. Its finished drawing begins with
    // a dot there unless it begins with the pen up; that dot is laid only when the stroke ends,
    // the pen writing no dot where it sets down. Without a prepared layer nothing opens.
    void open(int first_index, QPoint start, int start_width, bool start_dot);
    bool is_open() const { return first_index_.has_value(); }

    // A line of the stroke, drawn on the layer and laid on the ink by lay_pending.
    void line(QPoint from, QPoint to, int width);

    // The lines drawn since the last call laid on the ink in the colour; answers where.
    QRect lay_pending(QImage& ink, std::int32_t colour);

    // The stroke, when it began at first_index and nothing but its lines were drawn on the
    // layer, laid whole on the ink in the colour; answers where, or nothing for a stroke the
    // caller has to draw again itself. The layer is left blank either way.
    std::optional<QRect> finish(QImage& ink, std::int32_t colour, int first_index);

    // Something other than a line went into the stroke: the caller draws it again at its end.
    void give_up() { exact_ = false; }

    // Drops the stroke, its lines unlaid, and leaves the layer blank.
    void close();

private:
    // The lines drawn since they were last laid, counted with the stroke's.
    void take_lines_drawn();
    QImage layer_;
    std::optional<Canvas> canvas_;
    std::optional<int> first_index_;
    QPoint start_;
    int start_width_ = 1;
    bool start_dot_ = false;
    bool exact_ = false;
    bool drawn_any_ = false;
    QRect drawn_;  // the whole stroke's lines so far
};

}  // namespace inkwren

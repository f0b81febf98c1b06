#include <gtest/gtest.h>

#include "animation/stroke_layer.h"
#include "animation/stroke_rendering.h"

namespace inkwren {
namespace {

constexpr std::int32_t highlight = 0x0000FF;
constexpr std::int32_t finished = 0x000000;

PointRecord point(double x, double y, int width, std::int32_t kind = record_kind::pen_point) {
    PointRecord record;
    record.x = x;
    record.y = y;
    record.pen_width = width;
    record.pen_color = highlight;
    record.kind = kind;
    return record;
}

QPoint at(const PointRecord& record) {
    return {int(record.x), int(record.y)};
}

// The ink as a tick leaves it: older strokes finished, a highlighted pen-up dot of an earlier
// stroke where the new one crosses it.
QImage ink_before() {
    QImage ink = make_bitmap(60, 60);
    Canvas canvas(ink);
    canvas.pen_width = 6;
    canvas.pen_color = finished;
    canvas.move_to({5, 50});
    canvas.line_to({55, 50});
    canvas.pen_color = highlight;
    canvas.move_to({30, 30});
    canvas.line_to({30, 30});
    return ink;
}

// The stroke written as the player writes it: lines to each point after the first, in the
// highlight colour, a pen-up leaving a dot of its own on the ink alone.
QImage write(StrokeLayer& layer, QImage ink, const TObjList& stroke) {
    const PointRecord& first = stroke.front();
    layer.open(0, at(first), first.pen_width, first.kind != record_kind::pen_up);
    Canvas canvas(ink);
    QPoint position = at(first);
    for (std::size_t index = 1; index < stroke.size(); ++index) {
        const PointRecord& record = stroke[index];
        if (record.kind == record_kind::pen_up) {
            canvas.pen_width = record.pen_width;
            canvas.pen_color = highlight;
            canvas.move_to(at(record));
            canvas.line_to(at(record));
        } else {
            layer.line(position, at(record), record.pen_width);
        }
        position = at(record);
        if (index % 3 == 0) {
            canvas.finish();
            layer.lay_pending(ink, highlight);
        }
    }
    canvas.finish();
    layer.lay_pending(ink, highlight);
    return ink;
}

TEST(StrokeLayer, FinishesAStrokeAsDrawingItAgainInTheFinishedColourWould) {
    const std::vector<TObjList> strokes = {
        {point(10, 10, 4), point(30, 30, 4), point(50, 12, 8)},
        {point(20, 40, 10)},  // one point: its dot alone
        {point(10, 30, 2), point(25, 30, 6), point(35, 20, 0, record_kind::pen_up),
         point(50, 35, 6), point(50, 35, 6), point(50, 35, 6)},
        {point(40, 5, 0, record_kind::pen_up), point(40, 55, 4)},
    };
    StrokeLayer layer;
    layer.prepare({60, 60});
    for (const TObjList& stroke : strokes) {
        QImage ink = write(layer, ink_before(), stroke);
        QImage expected = ink;
        TObjList again = stroke;
        again.push_back(end_marker());
        RecordStyle in_finished;
        in_finished.colour = finished;
        in_finished.set_colour = true;
        draw_records(expected, again, in_finished);
        ASSERT_TRUE(layer.finish(ink, finished, 0).has_value());
        EXPECT_EQ(ink, expected) << "stroke of " << stroke.size() << " records";
    }
}

TEST(StrokeLayer, LeavesToTheCallerAStrokeItDidNotWriteWholeAndStaysBlankAfter) {
    StrokeLayer layer;
    layer.prepare({60, 60});
    const TObjList stroke = {point(10, 10, 4), point(30, 30, 4)};

    QImage ink = write(layer, ink_before(), stroke);
    layer.give_up();
    EXPECT_FALSE(layer.finish(ink, finished, 0).has_value());

    ink = write(layer, ink_before(), stroke);
    EXPECT_FALSE(layer.finish(ink, finished, 7).has_value());  // begun at another record

    // Nothing of the strokes given up is laid with the next.
    ink = write(layer, ink_before(), {point(50, 50, 2), point(55, 55, 2)});
    const QImage written = ink;
    ASSERT_TRUE(layer.finish(ink, finished, 0).has_value());
    EXPECT_EQ(ink.copy(0, 0, 40, 40), written.copy(0, 0, 40, 40));
}

}  // namespace
}  // namespace inkwren

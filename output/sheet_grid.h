// The practice square of a sheet's pictures: its frame and, in the chosen style, its inner lines.
#pragma once

#include <QImage>
#include <QSize>

#include <cstdint>

#include "output/sheet_settings_record.h"

namespace inkwren {

// The pen style of the square's inner lines.
Qt::PenStyle grid_pen_style(GridStyle style);

// A white picture with the practice square and, in the given style, its inner lines.
QImage draw_ninegrids(QSize size, std::int32_t colour, GridStyle style, bool inner_lines, int side);

}  // namespace inkwren

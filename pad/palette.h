// The colour palette under the pad: up to 48 colours from "c.cfg", one decimal colour value a
// line, shown as 16 columns of three 10 × 10 cells filled column by column.
#pragma once

#include <QImage>
#include <QString>

#include <optional>

namespace inkwren {

inline constexpr int palette_columns = 16;
inline constexpr int palette_rows = 3;
inline constexpr int palette_cell = 10;

// The palette picture; nothing when the file does not exist. A line that is not a whole number
// throws Error naming the file and line.
std::optional<QImage> load_palette(const QString& path);

}  // namespace inkwren

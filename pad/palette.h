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

// The palette picture; nothing when the file does not exist. Lines that are not whole numbers are
// left out, and problems, when given, gets a message naming the file and those lines (or stays
// as it was when there are none). A file that cannot be read throws Error.
std::optional<QImage> load_palette(const QString& path, QString* problems = nullptr);

}  // namespace inkwren

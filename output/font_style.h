// Font styles as the sheet settings and the font chooser keep them: one bit a style.
#pragma once

#include <QFont>

#include <cstdint>

namespace inkwren {

enum FontStyleBit : std::int32_t {
    bold_bit = 1,
    italic_bit = 2,
    underline_bit = 4,
    strike_out_bit = 8,
};

// The font with the styles of the bits; bits it does not know are ignored.
QFont with_font_style(QFont font, std::int32_t style_bits);
std::int32_t font_style_bits(const QFont& font);

}  // namespace inkwren

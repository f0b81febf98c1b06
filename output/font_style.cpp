#include "output/font_style.h"

namespace inkwren {

QFont with_font_style(QFont font, std::int32_t style_bits) {
    font.setBold(style_bits & bold_bit);
    font.setItalic(style_bits & italic_bit);
    font.setUnderline(style_bits & underline_bit);
    font.setStrikeOut(style_bits & strike_out_bit);
    return font;
}

std::int32_t font_style_bits(const QFont& font) {
    return (font.bold() ? bold_bit : 0) | (font.italic() ? italic_bit : 0) |
           (font.underline() ? underline_bit : 0) | (font.strikeOut() ? strike_out_bit : 0);
}

}  // namespace inkwren

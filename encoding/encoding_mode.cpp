#include "encoding/encoding_mode.h"

namespace inkwren {

void choose_encoding_item(EncodingState& state, EncodingItem item) {
    switch (item) {
        case EncodingItem::autodetect:
            state = {encoding_mode::unicode_simplified, true, encoding_mode::autodetect_stored};
            return;
        case EncodingItem::unicode_traditional:
            state = {encoding_mode::unicode_traditional, false, encoding_mode::unicode_traditional};
            return;
        case EncodingItem::unicode_simplified:
            state = {encoding_mode::unicode_simplified, false, encoding_mode::unicode_simplified};
            return;
        case EncodingItem::big5:
            state = {encoding_mode::big5, false, encoding_mode::big5};
            return;
        case EncodingItem::gb:
            state = {encoding_mode::gb, false, encoding_mode::gb};
            return;
    }
}

std::optional<EncodingItem> item_for_stored_mode(std::int32_t stored_mode) {
    switch (stored_mode) {
        case encoding_mode::autodetect_stored:
            return EncodingItem::autodetect;
        case encoding_mode::unicode_traditional:
            return EncodingItem::unicode_traditional;
        case encoding_mode::unicode_simplified:
            return EncodingItem::unicode_simplified;
        case encoding_mode::big5:
            return EncodingItem::big5;
        case encoding_mode::gb:
            return EncodingItem::gb;
        default:
            return std::nullopt;
    }
}

IndexColumn column_for_mode(std::int32_t mode) {
    const bool gb_column = mode == encoding_mode::unicode_simplified || mode == encoding_mode::gb;
    return gb_column ? IndexColumn::gb : IndexColumn::big5;
}

}  // namespace inkwren

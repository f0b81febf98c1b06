#include <gtest/gtest.h>

#include "encoding/encoding_mode.h"

namespace inkwren {
namespace {

TEST(EncodingMode, EachMenuItemSetsModeDetectionStoredValueAndColumn) {
    struct Row {
        EncodingItem item;
        std::int32_t mode;
        bool autodetect;
        std::int32_t stored;
        IndexColumn column;
    };
    const Row rows[] = {{EncodingItem::autodetect, 2, true, 0, IndexColumn::gb},
                        {EncodingItem::unicode_traditional, 1, false, 1, IndexColumn::big5},
                        {EncodingItem::unicode_simplified, 2, false, 2, IndexColumn::gb},
                        {EncodingItem::big5, 4, false, 4, IndexColumn::big5},
                        {EncodingItem::gb, 5, false, 5, IndexColumn::gb}};
    for (const Row& row : rows) {
        EncodingState state{3, !row.autodetect, 9};
        choose_encoding_item(state, row.item);
        EXPECT_EQ(state.encoding_mode, row.mode);
        EXPECT_EQ(state.autodetect, row.autodetect);
        EXPECT_EQ(state.stored_encoding_mode, row.stored);
        EXPECT_EQ(item_for_stored_mode(row.stored), row.item);
        EXPECT_EQ(column_for_mode(row.mode), row.column);
    }
    // Mode 3 has no item and searches as Big 5; stored values without an item activate nothing.
    EXPECT_EQ(column_for_mode(3), IndexColumn::big5);
    for (const std::int32_t stored : {-1, 3, 6}) {
        EXPECT_EQ(item_for_stored_mode(stored), std::nullopt) << stored;
    }
}

}  // namespace
}  // namespace inkwren

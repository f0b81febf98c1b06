#include <gtest/gtest.h>

#include "encoding/encoding_mode.h"

namespace inkwren {
namespace {

TEST(EncodingMode, EachMenuItemSetsModeDetectionAndStoredValue) {
    struct Row {
        EncodingItem item;
        std::int32_t mode;
        bool autodetect;
        std::int32_t stored;
    };
    const Row rows[] = {{EncodingItem::autodetect, 2, true, 0},
                        {EncodingItem::unicode_traditional, 1, false, 1},
                        {EncodingItem::unicode_simplified, 2, false, 2},
                        {EncodingItem::big5, 4, false, 4},
                        {EncodingItem::gb, 5, false, 5}};
    for (const Row& row : rows) {
        EncodingState state{3, !row.autodetect, 9};
        choose_encoding_item(state, row.item);
        EXPECT_EQ(state.encoding_mode, row.mode);
        EXPECT_EQ(state.autodetect, row.autodetect);
        EXPECT_EQ(state.stored_encoding_mode, row.stored);
        EXPECT_EQ(item_for_stored_mode(row.stored), row.item);
    }
}

TEST(EncodingMode, StoredValuesWithoutAnItemActivateNothing) {
    EXPECT_EQ(item_for_stored_mode(3), std::nullopt);
    EXPECT_EQ(item_for_stored_mode(-1), std::nullopt);
    EXPECT_EQ(item_for_stored_mode(6), std::nullopt);
}

TEST(EncodingMode, BigFiveModesSearchTheBigFiveColumn) {
    EXPECT_EQ(column_for_mode(1), IndexColumn::big5);
    EXPECT_EQ(column_for_mode(3), IndexColumn::big5);
    EXPECT_EQ(column_for_mode(4), IndexColumn::big5);
    EXPECT_EQ(column_for_mode(2), IndexColumn::gb);
    EXPECT_EQ(column_for_mode(5), IndexColumn::gb);
}

}  // namespace
}  // namespace inkwren

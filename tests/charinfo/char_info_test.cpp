#include "charinfo/char_info.h"

#include <gtest/gtest.h>

namespace inkwren {
namespace {

TEST(CharInfoTable, AnEmptyTableKnowsNoCharacter) {
    EXPECT_FALSE(CharInfoTable().find(U'永'));
}

}  // namespace
}  // namespace inkwren

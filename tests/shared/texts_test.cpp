#include "shared/texts.h"

#include <gtest/gtest.h>

namespace koropika {
namespace {

TEST(FillTextTest, PlaceholdersTakeTheirValuesInAnyOrderAndEverythingElseStays) {
    EXPECT_EQ(fillText("カード %1、%2", {"12", "ハートの 7"}), "カード 12、ハートの 7");
    EXPECT_EQ(fillText("%2 of %1", {"hearts", "seven"}), "seven of hearts");
    EXPECT_EQ(fillText("%1%1", {"ab"}), "abab");
    // A value is put in as it is: a name holding a placeholder is not filled again.
    EXPECT_EQ(fillText("%1 wins, %2", {"%2", "x"}), "%2 wins, x");
    // Past the given values, %0, a lone % and a % at the end stay as they are.
    EXPECT_EQ(fillText("%1 %2 %0 100% %", {"a"}), "a %2 %0 100% %");
    EXPECT_EQ(fillText("%9", {"1", "2", "3", "4", "5", "6", "7", "8", "nine"}), "nine");
    // %10 is %1 followed by a zero, as in Qt.
    EXPECT_EQ(fillText("%10", {"x"}), "x0");
    EXPECT_EQ(fillText("", {"x"}), "");
}

}  // namespace
}  // namespace koropika

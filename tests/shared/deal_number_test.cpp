#include "shared/deal_number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace koropika {
namespace {

TEST(DealNumberTest, DigitsInRangeAreReadAnythingElseIsRefusedAndDrawsReachBothEnds) {
    EXPECT_EQ(readDealNumber("1").number, 1u);
    EXPECT_EQ(readDealNumber("  00999999999 ").number, 999'999'999u);
    EXPECT_EQ(readDealNumber("１２0３").number, 1203u);  // full-width, as input methods type them
    const std::string notDigits = "番号は数字だけで入力してください。";
    const std::string outOfRange = "番号は 1 から 999999999 までです。";
    const std::pair<std::string, std::string> refused[] = {
        {" ", "番号を入力してください。"},
        {"12a", notDigits},
        {"1 2", notDigits},
        {"１２\xEF\xBC", notDigits},  // a full-width digit cut short
        {"000", outOfRange},
        {"1000000000", outOfRange},
        {"99999999999999999999999999", outOfRange},  // beyond any integer
    };
    for (const auto& [text, problem] : refused) {
        EXPECT_FALSE(readDealNumber(text).number.has_value()) << text;
        EXPECT_EQ(readDealNumber(text).problem, problem) << text;
    }
    EXPECT_EQ(dealNumberFromDraw(0.0), kFirstDealNumber);
    EXPECT_EQ(dealNumberFromDraw(std::nextafter(1.0, 0.0)), kLastDealNumber);
}

}  // namespace
}  // namespace koropika

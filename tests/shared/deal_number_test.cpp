#include "shared/deal_number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace koropika {
namespace {

TEST(DealNumberTest, DigitsInRangeAreReadAsTheirNumber) {
    EXPECT_EQ(readDealNumber("1").number, 1u);
    EXPECT_EQ(readDealNumber("999999999").number, 999'999'999u);
    EXPECT_EQ(readDealNumber("  00012345 ").number, 12345u);
    // Full-width digits, as a Japanese input method types them.
    EXPECT_EQ(readDealNumber("１２０３").number, 1203u);
    EXPECT_EQ(readDealNumber("1２3").number, 123u);
    EXPECT_TRUE(readDealNumber("42").problem.empty());
}

TEST(DealNumberTest, AnythingButANumberOfARoundIsRefusedWithAMessage) {
    const std::string noNumber = "番号を入力してください。";
    const std::string notDigits = "番号は数字だけで入力してください。";
    const std::string outOfRange = "番号は 1 から 999999999 までです。";
    const std::pair<std::string, std::string> refused[] = {
        {"", noNumber},
        {"   ", noNumber},
        {"abc", notDigits},
        {"12a", notDigits},
        {"-5", notDigits},
        {"+5", notDigits},
        {"1 2", notDigits},
        {"1.5", notDigits},
        {"1e3", notDigits},
        {"１２\xEF\xBC", notDigits},  // a full-width digit cut short
        {"\xEF\xBC\x9A", notDigits},  // the full-width colon, just after the digits
        {"0", outOfRange},
        {"000", outOfRange},
        {"1000000000", outOfRange},
        {"99999999999999999999999999", outOfRange},  // longer than any integer holds
        {"99999999999999999999999x", notDigits},
    };
    for (const auto& [text, problem] : refused) {
        const DealNumberReading reading = readDealNumber(text);
        EXPECT_FALSE(reading.number.has_value()) << text;
        EXPECT_EQ(reading.problem, problem) << text;
    }
}

TEST(DealNumberTest, ADrawPicksEveryNumberFromFirstToLast) {
    EXPECT_EQ(dealNumberFromDraw(0.0), kFirstDealNumber);
    EXPECT_EQ(dealNumberFromDraw(std::nextafter(1.0, 0.0)), kLastDealNumber);
    EXPECT_EQ(dealNumberFromDraw(0.5), 500'000'000u);
}

}  // namespace
}  // namespace koropika

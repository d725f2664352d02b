#include "shared/print_format.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

#include "support/temp_folder.h"

namespace koropika {
namespace {

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();

TEST(PrintFormat, IntegersHaveASignPlaceAndATrailingSpace) {
    EXPECT_EQ(printInteger(12), " 12 ");
    EXPECT_EQ(printInteger(0), " 0 ");
    EXPECT_EQ(printInteger(-150), "-150 ");
    EXPECT_EQ(printInteger(32767), " 32767 ");
    EXPECT_EQ(printInteger(kMin), "-9223372036854775808 ");
}

TEST(PrintFormat, IntegralRealsHaveNoDecimalPoint) {
    EXPECT_EQ(printReal(1950.0), " 1950 ");
    EXPECT_EQ(printReal(-150.0), "-150 ");
    EXPECT_EQ(printReal(9999999.0), " 9999999 ");
    EXPECT_EQ(printReal(0.0), " 0 ");
    EXPECT_EQ(printReal(-0.0), " 0 ");
}

TEST(PrintFormat, FractionsBelowOneHaveNoLeadingZero) {
    EXPECT_EQ(printReal(0.5), " .5 ");
    EXPECT_EQ(printReal(-0.25), "-.25 ");
    EXPECT_EQ(printReal(0.0001), " .0001 ");
    EXPECT_EQ(printReal(2.5), " 2.5 ");
}

TEST(PrintFormat, RealsKeepAtMostSevenSignificantDigits) {
    EXPECT_EQ(printReal(1.0 / 3.0), " .3333333 ");
    EXPECT_EQ(printReal(1234.56789), " 1234.568 ");
    EXPECT_EQ(printReal(12345678.0), " 1.234568E+07 ");
    EXPECT_EQ(printReal(-10000000.0), "-1E+07 ");
    EXPECT_EQ(printReal(0.00001), " 1E-05 ");
}

// Switches LC_NUMERIC to a German locale, whose decimal separator is a comma, for the test's
// life; the locale is compiled into a private folder (LOCPATH) when the system has none.
class CommaLocale {
  public:
    CommaLocale() {
        const char* previous = std::setlocale(LC_NUMERIC, nullptr);
        previous_ = previous != nullptr ? previous : "C";
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8"}) {
            if (std::setlocale(LC_NUMERIC, name) != nullptr) {
                return;
            }
        }
        const std::string command =
            "localedef -i de_DE -c -f UTF-8 '" + folder_.path() + "/de_DE.UTF-8' >/dev/null 2>&1";
        if (std::system(command.c_str()) == 0) {
            ::setenv("LOCPATH", folder_.path().c_str(), 1);
            std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
            ::unsetenv("LOCPATH");
        }
    }
    ~CommaLocale() { std::setlocale(LC_NUMERIC, previous_.c_str()); }
    CommaLocale(const CommaLocale&) = delete;
    CommaLocale& operator=(const CommaLocale&) = delete;

    bool active() const {
        char text[8];
        std::snprintf(text, sizeof text, "%.1f", 1.5);
        return std::string(text) == "1,5";
    }

  private:
    testing::TempFolder folder_;
    std::string previous_;
};

TEST(PrintFormat, RealsKeepTheDecimalPointWhenTheLocaleWritesADecimalComma) {
    const CommaLocale comma;
    if (!comma.active()) {
        GTEST_SKIP() << "no locale with a decimal comma can be had here";
    }
    EXPECT_EQ(printReal(1.5), " 1.5 ");
    EXPECT_EQ(printReal(-0.25), "-.25 ");
    EXPECT_EQ(printReal(12345678.0), " 1.234568E+07 ");
    EXPECT_EQ(printReal(1950.0), " 1950 ");
}

TEST(PrintFormat, LeadingIntegerReadsTheWritersOutputAndBareNumbers) {
    EXPECT_EQ(readLeadingInteger(" 12 "), 12);
    EXPECT_EQ(readLeadingInteger("-150 "), -150);
    EXPECT_EQ(readLeadingInteger("12"), 12);
    EXPECT_EQ(readLeadingInteger("\t +7"), 7);
    EXPECT_EQ(readLeadingInteger("3,4"), 3);
    EXPECT_EQ(readLeadingInteger(" 2 trailing words"), 2);
    EXPECT_EQ(readLeadingInteger("007"), 7);
    for (const std::int64_t v :
         {std::int64_t{0}, std::int64_t{-1}, std::int64_t{32767}, kMin, kMax}) {
        EXPECT_EQ(readLeadingInteger(printInteger(v)), v);
    }
}

TEST(PrintFormat, TextThatIsNotAnIntegerGivesNothing) {
    for (const char* text : {"", "   ", "abc", "-", "+", "- 5", "12abc", "1.5", "1E+07", "x12"}) {
        EXPECT_FALSE(readLeadingInteger(text).has_value()) << '"' << text << '"';
    }
}

TEST(PrintFormat, HugeIntegersAreClampedToTheLimits) {
    EXPECT_EQ(readLeadingInteger("9223372036854775808"), kMax);
    EXPECT_EQ(readLeadingInteger(" 99999999999999999999999 "), kMax);
    EXPECT_EQ(readLeadingInteger("-9223372036854775809"), kMin);
    EXPECT_EQ(readLeadingInteger("-99999999999999999999999"), kMin);
}

}  // namespace
}  // namespace koropika

#include "shared/command_line.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace koropika {
namespace {

std::optional<CommandLine> parse(std::vector<std::string_view> arguments) {
    return parseCommandLine(arguments);
}

TEST(CommandLineTest, NoArgumentsStartWithTheStoredSoundAndMuteSilencesTheRun) {
    ASSERT_TRUE(parse({}).has_value());
    EXPECT_FALSE(parse({})->mute);
    ASSERT_TRUE(parse({"--mute"}).has_value());
    EXPECT_TRUE(parse({"--mute"})->mute);
    ASSERT_TRUE(parse({"--mute", "--mute"}).has_value());
}

TEST(CommandLineTest, DealStartsTheFirstRoundWithItsNumber) {
    EXPECT_FALSE(parse({})->deal.has_value());
    EXPECT_EQ(parse({"--mute", "--deal", "999999999"}).value().deal, 999'999'999u);
}

TEST(CommandLineTest, UnknownArgumentsAndValuesTheOptionDoesNotTakeAreRefused) {
    for (const std::vector<std::string_view>& arguments :
         std::vector<std::vector<std::string_view>>{{"--mute=yes"},
                                                    {"--mute", "1"},
                                                    {"--MUTE"},
                                                    {"-mute"},
                                                    {"--"},
                                                    {""},
                                                    {"--volume", "loud"},
                                                    {"--deal"},
                                                    {"--deal", "0"},
                                                    {"--deal", "--mute"},
                                                    {"name.txt"}}) {
        EXPECT_FALSE(parse(arguments).has_value()) << arguments.front();
    }
}

}  // namespace
}  // namespace koropika

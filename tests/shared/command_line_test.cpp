#include "shared/command_line.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace koropika {
namespace {

CommandLineReading parse(std::vector<std::string_view> arguments) {
    return parseCommandLine(arguments);
}

TEST(CommandLineTest, MuteSilencesTheRunAndDealStartsTheFirstRoundWithItsNumber) {
    EXPECT_FALSE(parse({}).refused());
    EXPECT_FALSE(parse({}).options.mute || parse({}).options.help || parse({}).options.deal);
    EXPECT_FALSE(parse({"--mute", "--mute"}).refused());
    const CommandLineReading reading = parse({"--mute", "--deal", "999999999"});
    EXPECT_FALSE(reading.refused());
    EXPECT_TRUE(reading.options.mute);
    EXPECT_EQ(reading.options.deal, 999'999'999u);
}

TEST(CommandLineTest, HelpIsAskedForEvenBesideOtherArguments) {
    EXPECT_TRUE(parse({"--help"}).options.help);
    EXPECT_TRUE(parse({"-h"}).options.help);
    EXPECT_TRUE(parse({"--deal", "0", "--help"}).options.help);
    const std::string text = usage("koropika");
    EXPECT_EQ(text.rfind("usage: koropika [--mute] [--deal N] [--pace SPEED] [--help]\n", 0), 0u)
        << text;
    EXPECT_NE(text.find("1 to 999999999"), std::string::npos) << text;
}

TEST(CommandLineTest, ABadDealValueNamesTheOptionTheValueAndTheRange) {
    for (const auto& [arguments, said] :
         std::vector<std::pair<std::vector<std::string_view>, std::string>>{
             {{"--deal"}, "--deal needs a round number from 1 to 999999999"},
             {{"--deal", "0"}, "--deal takes a round number from 1 to 999999999, not \"0\""},
             {{"--deal", "abc"}, "--deal takes a round number from 1 to 999999999, not \"abc\""},
             {{"--deal", "x", "--deal", "5"},
              "--deal takes a round number from 1 to 999999999, not \"x\""}}) {
        const CommandLineReading reading = parse(arguments);
        EXPECT_TRUE(reading.refused());
        EXPECT_EQ(refusal(reading), said);
    }
}

TEST(CommandLineTest, PaceTakesOneOfTheThreeSpeedsAndNothingElse) {
    EXPECT_FALSE(parse({}).options.pace);
    EXPECT_EQ(parse({"--pace", "slow", "--pace", "fast"}).options.pace, Speed::Fast);
    EXPECT_EQ(refusal(parse({"--pace"})), "--pace needs slow, normal or fast");
    for (const std::string_view bad : {"quick", "FAST", "--mute"}) {
        EXPECT_EQ(refusal(parse({"--pace", bad})),
                  "--pace takes slow, normal or fast, not \"" + std::string(bad) + "\"");
    }
}

TEST(CommandLineTest, ArgumentsThatAreNotTheProgramsOwnAreListedAsUnknown) {
    for (const std::vector<std::string_view>& arguments :
         std::vector<std::vector<std::string_view>>{{"--mute=yes"},
                                                    {"--mute", "1"},
                                                    {"--MUTE"},
                                                    {"-mute"},
                                                    {"--"},
                                                    {""},
                                                    {"--volume", "loud"},
                                                    {"name.txt"}}) {
        const CommandLineReading reading = parse(arguments);
        EXPECT_TRUE(reading.problem.empty()) << arguments.back();
        ASSERT_FALSE(reading.unknown.empty()) << arguments.back();
        EXPECT_EQ(refusal(reading), "unknown option \"" + reading.unknown.front() + "\"");
    }
}

}  // namespace
}  // namespace koropika

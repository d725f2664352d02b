// The options a run of the program takes on its command line, and their parser.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace koropika {

struct CommandLine {
    // --mute: the run starts with the sound off, whatever the stored choice says.
    bool mute = false;
    // --deal N: the run's first round is round N (1..999 999 999) instead of a new one.
    std::optional<std::uint64_t> deal;
};

// The options in `arguments` (those after the program's name); none when one of them is
// unknown, lacks the value it takes or has a value it does not take.
std::optional<CommandLine> parseCommandLine(std::span<const std::string_view> arguments);

// The line that tells how to start the program, for standard error when the command line is
// refused.
std::string usageLine(std::string_view programName);

}  // namespace koropika
